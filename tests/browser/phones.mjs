// Phones for the browser tests of the tables' pages: puppeteer-core (from the
// build tree, TALVARON_NODE_FOLDER) driving Debian's chromium, one incognito
// context per phone, 360 x 740 pixels with touch.
import { createRequire } from 'node:module';
import { createInterface } from 'node:readline';

const require = createRequire(process.env.TALVARON_NODE_FOLDER + '/');
const puppeteerModule = require('puppeteer-core');
const puppeteer = puppeteerModule.default || puppeteerModule;

export const TIMEOUT = Number(process.env.TALVARON_PAGE_TIMEOUT || 60000);
// A phone by default; TALVARON_PHONE_SIZE=800x1280 looks at a 10-inch tablet.
const [WIDTH, HEIGHT] = (process.env.TALVARON_PHONE_SIZE || '360x740').split('x').map(Number);
const opened = [];
const pictured = new Set();
let shots = '';

export async function launch(chromium, screenshots) {
  shots = screenshots || '';
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
  });
}

export async function phone(browser, report) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: WIDTH, height: HEIGHT, deviceScaleFactor: 1, isMobile: true, hasTouch: true });
  page.setDefaultTimeout(TIMEOUT);
  page.on('pageerror', (e) => { report.errors = (report.errors || []).concat(String(e)); });
  // When the send button was last tapped, on the page's own clock.
  await page.evaluateOnNewDocument(() => document.addEventListener('click', (e) => {
    if (e.target instanceof Element && e.target.closest('#send')) window.talvaronTapAt = performance.now();
  }, true));
  opened.push(page);
  return page;
}

// A picture of the page at phone size, the first time a name is asked for,
// when the test was given a screenshots folder.
export async function picture(page, name) {
  if (!shots || pictured.has(name)) return;
  pictured.add(name);
  await page.evaluate(() => window.scrollTo(0, 0));
  await page.screenshot({ path: shots + '/tables-' + name + '.png' });
}

export const view = (page) => page.evaluate(() => document.body.dataset.view);
export async function waitView(page, name) {
  await page.waitForFunction((n) => document.body.dataset.view === n, { timeout: TIMEOUT }, name);
}
export async function tap(page, selector) {
  await page.waitForSelector(selector, { visible: true });
  await page.tap(selector);
}
export const text = (page, selector) => page.$eval(selector, (e) => e.textContent);

// Waits until the page shows the view for that board or round (the drawing
// before a tap may still be on the screen for a moment), and fails, saying
// what is shown, when it never does: a result is never entered on a board the
// test did not mean.
export async function waitOn(page, name, key) {
  const on = (n, k) => document.body.dataset.view === n && document.body.dataset.key === k;
  try {
    await page.waitForFunction(on, { timeout: TIMEOUT }, name, String(key));
  } catch (e) {
    const shown = await page.evaluate(() => document.body.dataset.view + ' ' + document.body.dataset.key);
    throw new Error('expected ' + name + ' ' + key + ', the page shows ' + shown);
  }
}

// Waits until the page shows the program took the result sent (and, for a
// correction, shows another result than `before`); the time from the tap on
// the send button to that moment goes to report.tapToTaken (unless `timed`
// is false).
export async function taken(page, report, { before = null, timed = true } = {}) {
  const since = await page.waitForFunction((was) => {
    const echo = document.querySelector('#echo[data-state="taken"]');
    const result = document.querySelector('#result');
    if (!echo || (was !== null && result && result.textContent === was)) return 0;
    return Math.max(1, Math.round(performance.now() - (window.talvaronTapAt || 0)));
  }, { polling: 'mutation', timeout: TIMEOUT }, before);
  const ms = await since.jsonValue();
  if (timed) report.tapToTaken = (report.tapToTaken || []).concat(ms);
}

// The smallest side of a control the fingers can touch on the page.
export const smallestTarget = (page) => page.evaluate(() => Math.min(...[...document.querySelectorAll('button, input')]
  .filter((e) => e.offsetParent !== null)
  .map((e) => { const r = e.getBoundingClientRect(); return Math.min(r.width, r.height); })));

// The password, then the table's number.
export async function join(page, url, table, password) {
  await page.goto(url);
  await waitView(page, 'connexion');
  await picture(page, 'join');
  await page.type('#password', password);
  await tap(page, '#enter');
  await waitView(page, 'tables');
  await picture(page, 'tables');
  await tap(page, `[data-table="${table}"]`);
}

// What each phone showed, for the report of a failure.
export async function screens() {
  let out = '';
  for (const page of opened) {
    if (page.isClosed()) continue;
    out += '\n--- ' + page.url() + ' ' +
      await page.evaluate(() => document.body.dataset.view + ': ' + document.body.innerText).catch(() => '?');
  }
  return out;
}

// A step of the test's own: "STEP <name>" is printed, and the test answers
// "DONE" once the program has collected what was sent and done its part.
const input = createInterface({ input: process.stdin });
const answers = [];
let waiting = null;
input.on('line', (l) => {
  if (l.trim() !== 'DONE') return;
  if (waiting) { const w = waiting; waiting = null; w(); } else answers.push(true);
});
export function step(name) {
  console.log('STEP ' + name);
  if (answers.length) { answers.shift(); return Promise.resolve(); }
  return new Promise((resolve) => { waiting = resolve; });
}
export function closeInput() { input.close(); }

// A board's result entered by touch on the board page.
export async function enterResult(page, r) {
  const choose = (group, value) => tap(page, `[data-choice="${group}:${value}"]`);
  if (r.kind === 'contract') {
    await choose('genre', 'contract');
    await choose('declarant', r.declarer);
    await choose('niveau', r.level);
    await choose('couleur', r.strain);
    await choose('contre', r.doubling);
    await choose('resultat', r.result);
    if (r.lead) {
      await choose('entame', r.lead[0]);
      await choose('entame-couleur', r.lead[1]);
    }
  } else if (r.kind === 'split') {
    await choose('genre', 'arbitral');
    await page.type('#split-ns', r.ns);
    await page.type('#split-ew', r.ew);
  } else {
    await choose('genre', r.kind);
  }
}

export const contract = (declarer, level, strain, result, lead, doubling = '') =>
  ({ kind: 'contract', declarer, level, strain, doubling, result, lead });

// Runs a script's phones in one browser: play(browser) does the evening;
// then "REPORT <json>" is printed (a failure in it, with what each phone
// showed) and the script ends, with 1 after a failure.
export async function playAndReport(chromium, screenshots, report, play) {
  const browser = await launch(chromium, screenshots);
  let status = 0;
  try {
    await play(browser);
  } catch (e) {
    report.failure = String((e && e.stack) || e) + await screens();
    status = 1;
  }
  console.log('REPORT ' + JSON.stringify(report));
  await browser.close();
  closeInput();
  process.exit(status);
}
