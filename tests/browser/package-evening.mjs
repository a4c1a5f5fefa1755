// One phone at a tablets evening of the installed package: it joins the
// tables' server the program started, with the club's password, gives the
// players of table 1 by their licences, plays the first board and waits
// until the program has taken it. Started by scripts/check-package.sh:
// node package-evening.mjs <server url> <chromium> <password>
// Prints "REPORT <json>": what the phone was shown.
import { contract, enterResult, join, phone, playAndReport, tap, text, waitOn, waitView } from './phones.mjs';

const [url, chromium, password] = process.argv.slice(2);
const report = {};
await playAndReport(chromium, undefined, report, async (browser) => {
  const page = await phone(browser, report);
  await join(page, url, 1, password);
  await waitView(page, 'joueurs');
  for (const [seat, licence] of Object.entries({ N: '1001', S: '1002', E: '1007', O: '1008' }))
    await page.type('#seat-' + seat, licence);
  await tap(page, '#players-ok');
  await waitView(page, 'tour');
  report.round = await text(page, 'h1');
  await tap(page, '#next-board');
  await waitOn(page, 'donne', 1);
  await enterResult(page, contract('S', 4, 'P', 1));
  await tap(page, '#preview');
  await waitOn(page, 'confirmation', 1);
  report.confirmed = await text(page, '#result');
  await tap(page, '#send');
  await page.waitForSelector('#echo[data-state="taken"]');
  report.echo = await text(page, '#echo');
  report.score = (await page.$('#score')) ? await text(page, '#score') : '';
});
