// Three phones play a three-table Mitchell through the tables' pages, driven
// by puppeteer-core in Debian's chromium. Started by TablesEveningTest, which
// runs the program's collection meanwhile:
//   node evening.mjs <server url> <chromium> [screenshots folder]
// Once every table has reached its end page it asks for the step "played"
// (the test answers once the program has collected everything), then prints
// "REPORT <json>": what each page saw.
import {
  contract, enterResult, join as joinTable, phone as newPhone, picture, playAndReport, smallestTarget,
  step, tap, taken, text, waitOn, waitView,
} from './phones.mjs';

const [url, chromium, shots] = process.argv.slice(2);

// What each table enters, board by board. Contracts need the lead: the
// program folder asks for it.
const c = contract;
const PLAN = {
  1: { 1: c('N', 4, 'P', -1, ['R', 'T']), 2: c('S', 3, 'S', 0, ['4', 'P']), 3: c('E', 2, 'C', 0, ['A', 'T']),
    4: c('O', 3, 'S', 0, ['D', 'K']), 5: c('N', 1, 'S', 2, ['2', 'C']), 6: c('E', 4, 'C', 0, ['10', 'P']) },
  2: { 3: c('E', 2, 'C', 1, ['V', 'K']), 4: { kind: 'split', ns: '60', ew: '40' }, 5: c('N', 1, 'S', 2, ['3', 'P']),
    6: c('E', 4, 'C', -2, ['A', 'P']), 1: c('N', 4, 'P', 1, ['D', 'T']), 2: c('S', 3, 'S', 1, ['5', 'C']) },
  3: { 5: c('S', 2, 'K', 0, ['A', 'C']), 6: { kind: 'notplayed' }, 1: c('N', 4, 'P', -1, ['V', 'T']),
    2: { kind: 'pass' }, 3: c('N', 2, 'P', 0, ['9', 'K']), 4: c('O', 3, 'S', -1, ['R', 'P'], 'X') },
};
// Table 1 corrects its first board once the program took it.
const CORRECTION = { table: 1, board: 1, result: c('N', 4, 'P', 2, ['R', 'T']) };
// Table 3 loses the network while it sends this board.
const OFFLINE = { table: 3, board: 3 };
// Table 2's Wi-Fi blinks while this board waits for its confirmation, then
// the phone reloads: what was typed is still there.
const BLIP = { table: 2, board: 6 };
// The players as they give themselves: licence numbers (one without its
// leading zero), or names (one in small letters).
const PLAYERS = {
  1: { N: '1001', S: '1002', E: '1007', O: '1008' },
  2: { N: '1003', S: 'dumas anne', E: '1009', O: '1010' },
  3: { N: '1005', S: '1006', E: '1011', O: 'MOREL Zoe' },
};
// The evening's code the menu shows beside the address (the tablets'
// password being the built-in one), as each phone types it.
const CODE = process.env.TALVARON_TABLES_CODE;
const PASSWORDS = { 1: CODE, 2: CODE, 3: CODE };

const report = { tables: {}, takeover: {}, smallest: {} };
const phone = (browser) => newPhone(browser, report);
const join = (page, table, password) => joinTable(page, url, table, password);

async function enterPlayers(page, table) {
  await waitView(page, 'joueurs');
  if (table === 1) {
    report.seatsAsked = await page.$$eval('main label', (l) => l.map((x) => x.textContent));
    report.smallest.players = await smallestTarget(page);
  }
  const seats = Object.entries(PLAYERS[table]);
  if (table === 3) {
    // North's licence is first refused as the server refuses a table that
    // looked up too many players: the phone says so, and asks again later.
    await page.setRequestInterception(true);
    let refused = false;
    const refuse = (request) => {
      if (request.isInterceptResolutionHandled()) return;
      if (request.url().includes('/api/players?') && !refused) {
        refused = true;
        return void request.respond({ status: 429, contentType: 'application/json',
          body: JSON.stringify({ error: 'wait', message: 'Trop d\'essais : réessayez dans 30 secondes.', wait: 30 }) });
      }
      request.continue();
    };
    page.on('request', refuse);
    await page.type('#seat-N', seats.shift()[1]);
    await page.waitForFunction(() => document.querySelector('#found-N').textContent);
    report.refusedLookUp = await text(page, '#found-N');
    page.off('request', refuse);
    await page.setRequestInterception(false);
  }
  for (const [seat, typed] of seats) await page.type('#seat-' + seat, typed);
  // Each licence is looked up once its typing pauses: the names show below.
  for (const [seat, typed] of Object.entries(PLAYERS[table])) {
    if (/^\d+$/.test(typed)) await page.waitForFunction((s) => document.querySelector('#found-' + s).textContent, {}, seat);
  }
  await picture(page, 'players');
  await tap(page, '#players-ok');
  await waitView(page, 'tour');
}

// One board from the round page to the program's echo; what was shown.
async function playBoard(page, table, board, result, seen) {
  await waitOn(page, 'donne', board);
  await enterResult(page, result);
  await picture(page, 'board');
  if (table === 1 && board === 1) {
    report.smallest.board = await smallestTarget(page);
    report.leadSuits = await page.$eval('[aria-label="entame-couleur"]', (g) => g.textContent);
    report.strains = await page.$eval('[aria-label="couleur"]', (g) => g.textContent);
  }
  await tap(page, '#preview');
  await waitOn(page, 'confirmation', board);
  const shown = { result: await text(page, '#result') };
  if (await page.$('#score')) shown.score = await text(page, '#score');
  await picture(page, 'confirm');
  if (table === BLIP.table && board === BLIP.board) {
    // The Wi-Fi comes back (the browser says "online"), then the page is
    // reloaded: the confirmation is still there, as typed.
    const blip = {};
    const answered = page.waitForResponse((r) => r.url().includes('/api/state'));
    await page.evaluate(() => window.dispatchEvent(new Event('online')));
    await answered;
    await page.evaluate(() => new Promise((r) => setTimeout(r, 300)));
    blip.online = await page.evaluate(() => document.body.dataset.view + ': ' + document.querySelector('main').textContent);
    await page.reload();
    await waitView(page, 'confirmation');
    blip.reload = await page.evaluate(() => document.body.dataset.view + ': ' + document.querySelector('main').textContent);
    report.blip = blip;
  }
  if (table === OFFLINE.table && board === OFFLINE.board) {
    // The Wi-Fi drops as the result is sent: the phone keeps it and sends it
    // again once the network is back.
    await page.setOfflineMode(true);
    await tap(page, '#send');
    await page.waitForSelector('#echo[data-state="queued"]');
    shown.offline = await text(page, '#echo');
    await picture(page, 'offline');
    await page.setOfflineMode(false);
  } else {
    await tap(page, '#send');
  }
  await waitOn(page, 'envoi', board);
  // The board sent while offline waited for the network, not the program.
  await taken(page, report, { timed: !(table === OFFLINE.table && board === OFFLINE.board) });
  shown.echo = await text(page, '#echo');
  shown.taken = await text(page, '#result');
  if (await page.$('#score')) shown.takenScore = await text(page, '#score');
  if (await page.$('#next-place')) shown.nextPlace = await text(page, '#next-place');
  // The board's frequency, once the program has written this table's line.
  if (await page.waitForSelector('#frequency tr.own', { timeout: 10000 }).catch(() => null)) {
    shown.frequency = await page.$$eval('#frequency tbody tr', (rows) => rows.map((r) => r.textContent));
    if (table === 1 && board === 2) await picture(page, 'sent');
  }
  seen[board] = shown;
}

async function playTable(browser, table) {
  let page = await phone(browser);
  const seen = {};
  const rounds = [];
  report.tables[table] = { seen, rounds };
  await join(page, table, PASSWORDS[table]);
  await enterPlayers(page, table);
  for (let round = 1; round <= 3; ++round) {
    await waitOn(page, 'tour', round);
    rounds.push({
      heading: await text(page, 'h1'),
      ns: await text(page, '.pair-ns'),
      ew: await text(page, '.pair-ew'),
      boards: await page.$$eval('[data-board]', (b) => b.map((x) => Number(x.dataset.board))),
    });
    if (table === 1 && round === 1) report.smallest.round = await smallestTarget(page);
    for (const board of rounds[rounds.length - 1].boards) {
      await tap(page, '#next-board');
      await playBoard(page, table, board, PLAN[table][board], seen);
      if (table === CORRECTION.table && board === CORRECTION.board) {
        seen[board].before = seen[board].taken;
        await tap(page, '#correct');
        await waitOn(page, 'donne', board);
        // The form starts from the result it corrects.
        seen[board].startsFrom = await page.$$eval('main [aria-pressed="true"]', (b) => b.map((x) => x.dataset.choice));
        await picture(page, 'correction');
        await enterResult(page, CORRECTION.result);
        await tap(page, '#preview');
        await waitOn(page, 'confirmation', board);
        const score = await page.$('#score') ? await text(page, '#score') : '';
        await tap(page, '#send');
        await waitOn(page, 'envoi', board);
        await taken(page, report, { before: seen[board].before });
        seen[board].corrected = { score, taken: await text(page, '#result') };
      }
      if (table === 2 && round === 1 && board === rounds[0].boards[0]) {
        // The same result sent again, as after an answer lost on the way:
        // the server writes nothing new.
        seen.resend = await page.evaluate(async (b, body) => {
          const r = await fetch('/api/result', { method: 'POST', headers: {
            'Content-Type': 'application/json', Authorization: 'Bearer ' + localStorage.getItem('talvaron.token') },
          body: JSON.stringify(body) });
          return r.json();
        }, board, Object.assign({ table: 2, round: 1, board, previous: '' }, resultBody(PLAN[2][board])));
        // And the phone reloads: it comes back on the same board.
        await page.reload();
        await waitOn(page, 'envoi', board);
        seen.reloaded = await text(page, 'h1');
      }
      await tap(page, '#back');
      await waitOn(page, 'tour', round);
      // A round half played, the players' names known to the program by then.
      if (table === 1 && round === 2) await picture(page, 'round');
    }
    if (table === 3 && round === 1) {
      // Another phone takes table 3 over; the first one is told.
      const old = page;
      page = await phone(browser);
      await join(page, 3, CODE);
      await page.waitForSelector('#dialog:not([hidden])');
      report.takeover.question = await text(page, '#dialog-text');
      await picture(page, 'takeover');
      await tap(page, '#dialog-buttons button.main');
      await waitView(page, 'tour');
      await waitView(old, 'tables');
      report.takeover.oldPage = await text(old, '#table-error');
      await old.browserContext().close();
      continue;  // the new phone opens on the round the table is on: the next one
    }
    await tap(page, round < 3 ? '#next-round' : '#end');
  }
  await waitView(page, 'fin');
  return page;
}

function resultBody(r) {
  if (r.kind === 'contract') {
    return { kind: 'contract', declarer: r.declarer, level: r.level, strain: r.strain, doubling: r.doubling,
      result: r.result, lead: r.lead[0] + r.lead[1] };
  }
  if (r.kind === 'split') return { kind: 'split', nsPercent: Number(r.ns), ewPercent: Number(r.ew) };
  return { kind: r.kind };
}

async function endShown(page, table) {
  await page.reload();
  await waitView(page, 'fin');
  await page.waitForSelector('#ranking');
  report.tables[table].deals = await page.$$eval('[data-deal]', (d) => d.map((x) => x.textContent));
  report.tables[table].analyses = await page.$$eval('[data-analysis]', (d) => d.map((x) => x.textContent));
  return page.$$eval('#ranking section', (sections) => sections.map((s) => ({
    title: s.querySelector('h2') ? s.querySelector('h2').textContent : '',
    rows: [...s.querySelectorAll('tbody tr')].map((tr) => [...tr.children].map((td) => td.textContent)),
  })));
}


await playAndReport(chromium, shots, report, async (browser) => {
  const pages = await Promise.all([1, 2, 3].map((t) => playTable(browser, t)));
  await step('played');
  for (const [i, page] of pages.entries()) report.tables[i + 1].ranking = await endShown(page, i + 1);
  // The end page whole: the ranking and the deal below it.
  if (shots) await pages[0].screenshot({ path: shots + '/tables-ranking.png', fullPage: true });
  // The deal as a table sees it once its result is taken: the hands, what
  // could be made and how the table did.
  if (shots) {
    const box = await pages[0].evaluate(() => {
      const deal = document.querySelector('[data-deal]').getBoundingClientRect();
      const made = document.querySelector('[data-analysis]').getBoundingClientRect();
      return { x: 0, y: deal.top + window.scrollY - 48, width: document.documentElement.clientWidth,
        height: made.bottom - deal.top + 64 };
    });
    await pages[0].screenshot({ path: shots + '/tables-deal.png', clip: box, captureBeyondViewport: true });
  }
});
