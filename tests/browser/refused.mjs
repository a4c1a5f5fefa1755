// Pages opened on a busy server: each has one of its own files refused the
// first time (503 "busy", as the server answers beyond its connection cap),
// then served. Started by TablesEveningTest:
//   node refused.mjs <server url> <chromium>
// Prints "REPORT <json>": for each file refused, how many times the page was
// loaded and how many reloads it scheduled before it showed the join form.
import { phone, playAndReport, waitView } from './phones.mjs';

const [url, chromium] = process.argv.slice(2);
const report = { pages: {} };

async function openRefusing(browser, file) {
  const page = await phone(browser, report);
  const seen = { loads: 0, reloads: 0 };
  report.pages[file] = seen;
  const cdp = await page.createCDPSession();
  await cdp.send('Page.enable');
  cdp.on('Page.frameScheduledNavigation', (e) => { if (e.reason === 'metaTagRefresh') seen.reloads += 1; });
  page.on('framenavigated', (frame) => { if (frame === page.mainFrame()) seen.loads += 1; });
  let refused = false;
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (!refused && new URL(request.url()).pathname === '/' + file) {
      refused = true;
      request.respond({ status: 503, headers: { 'Retry-After': '1' }, contentType: 'application/json',
        body: JSON.stringify({ error: 'busy', message: 'Le serveur est très occupé : nouvel essai dans un instant.' }) });
    } else {
      request.continue();
    }
  });
  await page.goto(url);
  await waitView(page, 'connexion');
  // The page that shows the form has finished loading: a reload it would
  // still schedule is known by then.
  await page.waitForFunction(() => document.readyState === 'complete');
  await page.evaluate(() => 0);
  seen.refused = refused;
}

await playAndReport(chromium, undefined, report, async (browser) => {
  await Promise.all(['app.js', 'api.js', 'style.css'].map((file) => openRefusing(browser, file)));
});
