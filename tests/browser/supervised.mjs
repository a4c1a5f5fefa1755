// Three phones play two rounds against the tables' server the program started
// itself, at the address its menu shows. Started by TablesEveningTest:
//   node supervised.mjs <server url> <chromium> [screenshots folder]
// Round 1 is played whole; each phone then stands on the confirmation of its
// first board of round 2 while the test kills the server (step "kill") and
// the program starts it again; then every phone sends from where it stood,
// without typing the code again, and plays on. Prints "REPORT <json>": what
// each page saw.
import {
  contract, enterResult, join, phone, playAndReport, step, tap, taken, text, waitOn, view,
} from './phones.mjs';

const [url, chromium, shots] = process.argv.slice(2);
const CODE = process.env.TALVARON_TABLES_CODE;
// Every board of a table ends the same way: 3SA by North, made at table 1,
// one over at table 2, one down at table 3.
const RESULT = { 1: contract('N', 3, 'S', 0), 2: contract('N', 3, 'S', 1), 3: contract('N', 3, 'S', -1) };

const report = { tables: {} };

// From the round page to the board's confirmation.
async function confirmBoard(page, table, board) {
  await tap(page, '#next-board');
  await waitOn(page, 'donne', board);
  await enterResult(page, RESULT[table]);
  await tap(page, '#preview');
  await waitOn(page, 'confirmation', board);
}

// Sends the confirmed board and waits for the program to take it; back to the round.
async function sendBoard(page, round, board, seen) {
  await tap(page, '#send');
  await waitOn(page, 'envoi', board);
  await taken(page, report);
  seen[board] = { echo: await text(page, '#echo'), taken: await text(page, '#result') };
  await tap(page, '#back');
  await waitOn(page, 'tour', round);
}

const boardsShown = (page) => page.$$eval('[data-board]', (b) => b.map((x) => Number(x.dataset.board)));

// Round 1 whole, then round 2's first board up to its confirmation.
async function beforeTheKill(browser, table) {
  const page = await phone(browser, report);
  const seen = {};
  report.tables[table] = { seen, boards: [] };
  await join(page, url, table, CODE);
  await waitOn(page, 'tour', 1);
  const first = await boardsShown(page);
  for (const board of first) {
    await confirmBoard(page, table, board);
    await sendBoard(page, 1, board, seen);
  }
  await tap(page, '#next-round');
  await waitOn(page, 'tour', 2);
  const second = await boardsShown(page);
  report.tables[table].boards = first.concat(second);
  await confirmBoard(page, table, second[0]);
  return { page, second };
}

// The phone still where it stood; its board sent, the round played out.
async function afterTheKill({ page, second }, table) {
  const seen = report.tables[table].seen;
  report.tables[table].afterKill = (await view(page)) + ' ' + await page.evaluate(() => document.body.dataset.key);
  await sendBoard(page, 2, second[0], seen);
  for (const board of second.slice(1)) {
    await confirmBoard(page, table, board);
    await sendBoard(page, 2, board, seen);
  }
}

await playAndReport(chromium, shots, report, async (browser) => {
  const phones = await Promise.all([1, 2, 3].map((t) => beforeTheKill(browser, t)));
  await step('kill');
  await Promise.all(phones.map((p, i) => afterTheKill(p, i + 1)));
});
