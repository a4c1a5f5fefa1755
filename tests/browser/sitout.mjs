// A phone at each table of an evening with the BYE: the table where only one
// pair sits says so and goes on to the next round. Started by
// TablesEveningTest: node sitout.mjs <server url> <chromium> [screenshots]
// Table 1 plays its first board, and while it corrects it the director
// changes that board at the desk (step "desk"): the phone is told instead of
// overwriting it. Then the test starts a new tournament (step "restart"), and
// the first phone must be asked the password again. Prints "REPORT <json>":
// what each phone saw.
import {
  contract, enterResult, join, phone, picture, playAndReport, step, tap, text, waitOn, waitView,
} from './phones.mjs';


const [url, chromium, shots] = process.argv.slice(2);
const report = { tables: {} };

// Board 1 sent and taken; the correction started; the director changes the
// board meanwhile; the correction is sent and refused with the board's news.
async function deskChangesTheBoard(page) {
  await tap(page, '#next-board');
  await waitView(page, 'donne');
  await enterResult(page, contract('N', 3, 'S', 0));
  await tap(page, '#preview');
  await waitView(page, 'confirmation');
  await tap(page, '#send');
  await page.waitForSelector('#echo[data-state="taken"]');
  await tap(page, '#correct');
  await waitView(page, 'donne');
  await step('desk');
  await enterResult(page, contract('N', 3, 'S', 2));
  await tap(page, '#preview');
  await waitView(page, 'confirmation');
  await tap(page, '#send');
  await page.waitForSelector('#dialog:not([hidden])');
  const told = await text(page, '#dialog-text');
  await tap(page, '#dialog-buttons button');
  await waitView(page, 'envoi');
  await page.waitForFunction(() => document.querySelector('#result').textContent.includes('+1'));
  return { told, now: await text(page, '#result') };
}
// Answers that come late or not at all: a poll of board 1's page answered
// after the player tapped on to board 2 must not draw board 1 again; and
// board 2 sent while the state cannot be read must not leave the big button
// on board 2 itself.
async function lateAnswers(page) {
  await waitOn(page, 'envoi', 1);
  await page.setRequestInterception(true);
  let held = null;
  let abortState = false;
  const handler = (request) => {
    if (request.isInterceptResolutionHandled()) return;
    if (request.url().includes('/api/state') && abortState) return void request.abort();
    if (request.url().includes('/api/state') && held === null) {
      held = new Promise((resolve) => setTimeout(resolve, 2500)).then(() => request.continue());
      return;
    }
    request.continue();
  };
  page.on('request', handler);
  const seen = {};
  try {
    // The page's next poll is held; meanwhile the player goes on to board 2.
    while (held === null) await new Promise((r) => setTimeout(r, 50));
    await tap(page, '#next-board');
    await waitOn(page, 'donne', 2);
    await held;
    await new Promise((r) => setTimeout(r, 500));
    seen.afterLatePoll = await page.evaluate(() => document.body.dataset.view + ' ' + document.body.dataset.key);
    await enterResult(page, contract('S', 2, 'C', 0));
    await tap(page, '#preview');
    await waitOn(page, 'confirmation', 2);
    abortState = true;
    await tap(page, '#send');
    await waitOn(page, 'envoi', 2);
    seen.mainButton = await text(page, '.buttons .main');
  } finally {
    page.off('request', handler);
    await page.setRequestInterception(false);
  }
  return seen;
}

// The director settles the table's first board at the desk (step "settle
// <board>"): the round shows it settled, the big button goes to the other
// board, and a result sent for it anyway is refused. Then he deletes it at
// his sheet (step "hand back <board>"): the board is the table's again, the
// phone enters it and the program takes it.
async function directorSettles(page) {
  const first = await page.$eval('[data-board]', (b) => Number(b.dataset.board));
  await step('settle ' + first);
  await page.waitForFunction((b) => document.querySelector(`#board-${b} .state`).textContent.startsWith('Réglée'),
    {}, first);
  const seen = { line: await text(page, '#board-' + first), next: await text(page, '#next-board') };
  await tap(page, '#board-' + first);
  await waitOn(page, 'envoi', first);
  seen.page = await text(page, '.card');
  await picture(page, 'settled');
  seen.sent = await page.evaluate(async (b) => {
    const r = await fetch('/api/result', { method: 'POST', headers: {
      'Content-Type': 'application/json', Authorization: 'Bearer ' + localStorage.getItem('talvaron.token') },
    body: JSON.stringify({ table: 2, round: 1, board: b, previous: '', kind: 'pass' }) });
    const j = await r.json();
    return r.status + ' ' + j.error + ' ' + j.message;
  }, first);
  await step('hand back ' + first);
  await tap(page, '#back');
  await waitOn(page, 'tour', 1);
  await page.waitForFunction((b) => document.querySelector(`#board-${b} .state`)?.textContent === 'à jouer',
    {}, first);
  seen.handedBack = await text(page, '#board-' + first);
  await tap(page, '#board-' + first);
  await waitOn(page, 'donne', first);
  await enterResult(page, contract('E', 2, 'P', -1));
  await tap(page, '#preview');
  await waitOn(page, 'confirmation', first);
  await tap(page, '#send');
  await waitOn(page, 'envoi', first);
  await page.waitForSelector('#echo[data-state="taken"]');
  seen.enteredAgain = await text(page, '#result') + ' | ' + await text(page, '#echo');
  return seen;
}
const phones = [];
await playAndReport(chromium, shots, report, async (browser) => {
  for (const table of [1, 2, 3]) {
    const page = await phone(browser, report);
    phones.push(page);
    if (table === 1) {
      // The keyboard alone: the password and Enter, then Tab to the table.
      await page.goto(url);
      await waitView(page, 'connexion');
      await page.keyboard.type(process.env.TALVARON_TABLES_CODE);
      await page.keyboard.press('Enter');
      await waitView(page, 'tables');
      await page.keyboard.press('Tab');
      report.keyboard = await page.evaluate(() => document.activeElement.textContent);
      await page.keyboard.press('Enter');
    } else {
      await join(page, url, table, process.env.TALVARON_TABLES_CODE);
    }
    await waitView(page, 'tour');
    const seen = { first: await text(page, 'main') };
    seen.markup = await page.$$eval('main b, main img, main script', (e) => e.length);
    if (await page.$('#sit-out')) {
      await picture(page, 'sitout');
      await tap(page, '#next-round');
      await page.waitForFunction(() => document.querySelector('h1').textContent.startsWith('Tour 2'));
      seen.second = await text(page, 'main');
    }
    report.tables[table] = seen;
    if (table === 1) {
      report.conflict = await deskChangesTheBoard(page);
      report.late = await lateAnswers(page);
    }
    if (table === 2) report.settled = await directorSettles(page);
  }
  await step('restart');
  // The first phone, left on its board, notices by itself.
  await waitView(phones[0], 'connexion');
  report.newTournament = await text(phones[0], '#join-error');
});
