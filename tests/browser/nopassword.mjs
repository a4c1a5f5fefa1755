// One phone of a club that chose no tablets' password, against the server
// the program started itself. Started by TablesEveningTest:
//   node nopassword.mjs <server url> <chromium> [screenshots folder]
// An empty password is refused; the evening's code the menu shows joins;
// the table's first board is sent and taken by the program. Prints
// "REPORT <json>": what the page said.
import { contract, enterResult, join, phone, playAndReport, tap, text, waitOn, waitView } from './phones.mjs';

const [url, chromium, shots] = process.argv.slice(2);
const CODE = process.env.TALVARON_TABLES_CODE;
const report = {};

await playAndReport(chromium, shots, report, async (browser) => {
  const page = await phone(browser, report);
  await page.goto(url);
  await waitView(page, 'connexion');
  await tap(page, '#enter');
  await page.waitForFunction(() => document.querySelector('#join-error').textContent !== '');
  report.empty = await text(page, '#join-error');
  await join(page, url, 1, CODE);
  await waitOn(page, 'tour', 1);
  const board = await page.$eval('#next-board', (b) => b.dataset.next);
  await tap(page, '#next-board');
  await waitOn(page, 'donne', board);
  await enterResult(page, contract('S', 4, 'C', 0));
  await tap(page, '#preview');
  await waitOn(page, 'confirmation', board);
  await tap(page, '#send');
  await waitOn(page, 'envoi', board);
  await page.waitForSelector('#echo[data-state="taken"]');
  report.board = Number(board);
  report.echo = await text(page, '#echo');
});
