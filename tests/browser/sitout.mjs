// A phone at each table of an evening with the BYE: the table where only one
// pair sits says so and goes on to the next round. Started by
// TablesEveningTest: node sitout.mjs <server url> <chromium> [screenshots]
// Then "PLAYED": the test starts a new tournament and answers "COLLECTED",
// and the first phone must be asked the password again. Prints
// "REPORT <json>": what each phone saw.
import { createInterface } from 'node:readline';
import { join, launch, phone, picture, screens, tap, text, waitView } from './phones.mjs';


const [url, chromium, shots] = process.argv.slice(2);
const report = { tables: {} };
const lines = createInterface({ input: process.stdin });
const restarted = new Promise((resolve) => lines.on('line', (l) => { if (l.trim() === 'COLLECTED') resolve(); }));
const phones = [];
const browser = await launch(chromium, shots);
let status = 0;
try {
  for (const table of [1, 2, 3]) {
    const page = await phone(browser, report);
    phones.push(page);
    if (table === 1) {
      // The keyboard alone: the password and Enter, then Tab to the table.
      await page.goto(url);
      await waitView(page, 'connexion');
      await page.keyboard.type('FarnelTosk');
      await page.keyboard.press('Enter');
      await waitView(page, 'tables');
      await page.keyboard.press('Tab');
      report.keyboard = await page.evaluate(() => document.activeElement.textContent);
      await page.keyboard.press('Enter');
    } else {
      await join(page, url, table, 'FarnelTosk');
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
  }
  console.log('PLAYED');
  await restarted;
  await phones[0].reload();
  await waitView(phones[0], 'connexion');
  report.newTournament = await text(phones[0], '#join-error');
} catch (e) {
  report.failure = String((e && e.stack) || e) + await screens();
  status = 1;
}
console.log('REPORT ' + JSON.stringify(report));
await browser.close();
lines.close();
process.exit(status);
