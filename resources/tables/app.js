// The pages of one table: join, players, rounds, boards, the echo of the
// program, the end of the evening. Everything shown comes from the server;
// every name goes into the page as text.
'use strict';

const KEY_TABLE = 'talvaron.table';
const KEY_OUTBOX = 'talvaron.outbox';
const KEY_TABLES = 'talvaron.tables';
const KEY_DRAFT = 'talvaron.draft';
const POLL_MS = 2000;
// While a result of this table waits for the program, whose collection runs
// every 500 ms, the page asks often, so that "pris par le programme" shows
// within a few tenths of a second of the tap: every 100 ms for the first
// seconds (the program takes a file within about 0.6 s), then every 250 ms,
// and no more after ten seconds, in case the program is not collecting.
const FAST_POLL_MS = 100;
const FAST_POLL_FIRST_MS = 3000;
const SOON_POLL_MS = 250;
const FAST_POLL_FOR_MS = 10000;

const SEATS = [['N', 'Nord'], ['E', 'Est'], ['S', 'Sud'], ['O', 'Ouest']];
// A licence is looked up once the player stops typing it: the server answers
// a table only so many look-ups.
const LOOKUP_PAUSE_MS = 400;
// The players are asked for partner after partner.
const SEATS_ASKED = [['N', 'Nord'], ['S', 'Sud'], ['E', 'Est'], ['O', 'Ouest']];
const STRAINS = [['T', '♣', 'Trèfle'], ['K', '♦', 'Carreau'], ['C', '♥', 'Cœur'], ['P', '♠', 'Pique'], ['S', 'SA', 'Sans-atout']];
const RANKS = ['A', 'R', 'D', 'V', '10', '9', '8', '7', '6', '5', '4', '3', '2'];
const SUIT_SIGN = { P: '♠', C: '♥', K: '♦', T: '♣', S: 'SA' };
const RED = { C: true, K: true };

const app = {
  table: 0,
  tables: 0,
  data: null,       // the table's state, as the server last gave it
  view: '',
  draft: null,      // the board being entered
  pollTimer: 0,
  gen: 0,           // the drawing of the page: a later one makes older answers stale
  sentAt: 0,        // when this page last sent a result
};

// ---------------------------------------------------------------- helpers

// An element with text children only: nothing here ever parses markup.
function el(tag, props, ...kids) {
  const e = document.createElement(tag);
  for (const [k, v] of Object.entries(props || {})) {
    if (v === undefined || v === null || v === false) continue;
    if (k === 'class') e.className = v;
    else if (k === 'text') e.textContent = v;
    else if (k.startsWith('on')) e.addEventListener(k.slice(2), v);
    else e.setAttribute(k, v === true ? '' : v);
  }
  for (const kid of kids.flat()) {
    if (kid === null || kid === undefined || kid === false) continue;
    e.append(kid instanceof Node ? kid : document.createTextNode(String(kid)));
  }
  return e;
}

function button(content, onclick, props) {
  return el('button', Object.assign({ type: 'button', onclick }, props || {}), content);
}

// Replaces the page's content with a view; its heading takes the focus so
// that a keyboard or a screen reader starts there. The same view drawn again
// (a choice made, a poll) keeps the focus on the same control, and a view
// that did not change at all is left alone.
function render(view, kids, key) {
  kids = kids.flat().filter(Boolean);
  const main = document.getElementById('main');
  const sameView = app.view === view && document.body.dataset.key === String(key || '');
  if (sameView && main.innerHTML === kids.map((k) => k.outerHTML).join('')) return;
  const focusKey = (e) => e && e !== document.body && (e.id ? '#' + e.id : e.dataset.choice ? 'c:' + e.dataset.choice : '');
  const focused = sameView ? focusKey(document.activeElement) : '';
  app.view = view;
  document.body.dataset.view = view;
  document.body.dataset.key = String(key || '');
  main.replaceChildren(...kids);
  let again = null;
  if (focused) {
    again = [...main.querySelectorAll('[id], [data-choice]')].find((e) => focusKey(e) === focused) || null;
  }
  if (again) again.focus({ preventScroll: true });
  else {
    const h = main.querySelector('h1');
    if (h) { h.tabIndex = -1; h.focus({ preventScroll: true }); }
    if (!sameView) window.scrollTo(0, 0);
  }
  document.getElementById('where').textContent = app.table ? 'Table ' + app.table : 'Talvaron';
}

function setLink(online) {
  const l = document.getElementById('link');
  l.textContent = online ? '' : 'Hors ligne – nouvel essai…';
  l.classList.toggle('off', !online);
}

// A question with its buttons; resolves to the value of the button chosen.
function ask(text, choices) {
  return new Promise((resolve) => {
    const box = document.getElementById('dialog');
    document.getElementById('dialog-text').textContent = text;
    const buttons = document.getElementById('dialog-buttons');
    buttons.replaceChildren(...choices.map(([label, value, cls]) =>
      button(label, () => { box.hidden = true; resolve(value); }, { class: cls })));
    box.hidden = false;
    buttons.querySelector('button').focus();
    // Esc answers with the last button (the one that changes nothing).
    box.onkeydown = (ev) => {
      if (ev.key !== 'Escape') return;
      box.hidden = true;
      resolve(choices[choices.length - 1][1]);
    };
  });
}

function seatName(letter) { const s = SEATS.find((x) => x[0] === letter); return s ? s[1] : letter; }

function errorText(e) {
  return e.status === 0 ? 'Le serveur ne répond pas. Vérifiez le Wi-Fi.' : (e.message || 'Erreur ' + e.status);
}

// "4PXN+1" → "4♠X N +1": only a display of the program's text.
function contractDisplay(text) {
  const t = (text || '').trim();
  const m = /^([1-7])([PCKTS])(XX|X)?([NESO])(=|[+-]\d+)$/.exec(t);
  if (m) return m[1] + SUIT_SIGN[m[2]] + (m[3] || '') + ' ' + m[4] + ' ' + m[5];
  if (t === 'PASSE') return 'Passe général';
  if (t === 'NOT PLAYED' || t === 'MOY' || t === 'MOY.') return 'Donne non jouée';
  if (t === 'AJU' || t === 'AJU.') return 'Score arbitral';
  const split = /^(\d+) - (\d+)$/.exec(t);
  if (split) return 'Score arbitral ' + split[1] + ' % – ' + split[2] + ' %';
  return t;
}

// "N 4PN=" (declarer, then the contract) as the state gives a board's result.
function currentDisplay(current) {
  const t = (current || '').trim();
  const m = /^[NESO] (.+)$/.exec(t);
  return contractDisplay(m ? m[1] : t);
}

function leadDisplay(lead) {
  const m = /^(10|[2-9ARDVX])([PCKT])$/.exec(lead || '');
  return m ? m[1] + SUIT_SIGN[m[2]] : (lead || '');
}

function resultDisplay(r) {
  switch (r.kind) {
    case 'contract':
      return r.level + SUIT_SIGN[r.strain] + r.doubling + ' ' + r.declarer + ' ' +
        (r.result === 0 ? '=' : (r.result > 0 ? '+' : '') + r.result) +
        (r.lead ? ' – entame ' + leadDisplay(r.lead) : '');
    case 'pass': return 'Passe général';
    case 'notplayed': return 'Donne non jouée';
    case 'arbitral': return 'Score arbitral (par l’arbitre)';
    case 'split': return 'Score arbitral ' + r.nsPercent + ' % – ' + r.ewPercent + ' %';
    case 'delete': return 'Résultat effacé';
  }
  return '';
}

const PASS_SCORE = 'Passe général : 0 point';

function scoreDisplay(score) {
  if (score === null || score === undefined) return '';
  if (score === 0) return PASS_SCORE;
  return score > 0 ? 'N/S marque ' + score : 'E/W marque ' + (-score);
}

// ---------------------------------------------------------------- state

function rounds() { return app.data ? app.data.rounds : []; }
function round(r) { return rounds().find((x) => x.round === r); }
function roundOf(b) { return rounds().find((x) => x.boards.some((y) => y.board === b)); }
function board(b) { const x = roundOf(b); return x ? x.boards.find((y) => y.board === b) : null; }
// A board settled by the director counts as played: the table enters nothing more.
function settled(b) { const s = board(b); return (s && s.settled) || ''; }
function hasResult(b) { const s = board(b); return !!(s && s.current) || !!pendingSend(b) || !!settled(b); }
function taken(b) { const s = board(b); return !!(s && s.echo && !s.pending) && !pendingSend(b); }
// A board's fresh state, as an answer gave it, in place of the one last read.
function mergeBoard(fresh) {
  const x = fresh && roundOf(fresh.board);
  if (!x) return;
  x.boards = x.boards.map((y) => (y.board === fresh.board ? fresh : y));
}
// A result of this table waits for the program (or for the network).
function waiting() {
  return rounds().some((x) => x.boards.some((y) => y.pending)) ||
    Object.keys(outbox()).some((k) => k.startsWith(app.table + ':'));
}
// A round without play at this table is over once the phone moved on from it.
function roundDone(x) { return x.sitOut ? sitOutSeen(x.round) : x.boards.every((y) => hasResult(y.board)); }
function sitOutKey() { return 'talvaron.sitout.' + app.table; }
function sitOutSeen(r) { return (localStorage.getItem(sitOutKey()) || '').split(',').includes(String(r)); }
function leaveSitOut(r) {
  if (!sitOutSeen(r)) localStorage.setItem(sitOutKey(), (localStorage.getItem(sitOutKey()) || '') + ',' + r);
}
function lastRound() { return rounds().length ? rounds()[rounds().length - 1].round : 0; }
// The round to show after a reload: the first one not finished.
function currentRound() {
  for (const x of rounds()) if (!roundDone(x)) return x.round;
  return 0;
}
// The program's own names for pairs not named yet ("N1 - S1", "E4 - W4").
function placeholder(name) { return !name || /^[NE]\d+ - [SW]\d+$/.test(name); }
function shown(x, side) {
  const n = side === 'ns' ? x.nsShown : x.ewShown;
  const given = side === 'ns' ? x.nsName : x.ewName;
  const name = placeholder(given) ? '' : given;
  if (!n) return '–';
  return 'paire ' + n + (name ? ' : ' + name : '');
}

async function refresh() {
  try {
    app.data = await Api.state(app.table);
    app.data.rounds.sort((a, b) => a.round - b.round);
    app.tables = app.data.tables || app.tables;
    setLink(true);
    return true;
  } catch (e) {
    if (e.status === 0) { setLink(false); return false; }
    if (handleLost(e)) return false;
    showTrouble(e);
    return false;
  }
}

// Anything else the server refuses: said, with a way to try again.
function showTrouble(e) {
  poll(null);
  render('erreur', [el('h1', { text: app.table ? 'Table ' + app.table : 'Talvaron' }),
    el('p', { class: 'error', role: 'alert', text: errorText(e) }),
    el('div', { class: 'buttons' }, button('Réessayer', () => go('#'), { class: 'main', id: 'retry' }))]);
}

// A token revoked (new tournament) or a table taken over by another device.
function handleLost(e) {
  if (e.status === 401 || e.status === 503) {
    Api.setToken('');
    localStorage.removeItem(KEY_TABLE);
    app.table = 0;
    app.data = null;
    showJoin(e.message);
    return true;
  }
  // Lost, or chosen by another device while the server was restarting.
  if ((e.status === 409 && (e.code === 'table_lost' || e.code === 'table_taken')) || e.code === 'bad_table') {
    localStorage.removeItem(KEY_TABLE);
    app.table = 0;
    app.data = null;
    showTables(e.message);
    return true;
  }
  return false;
}

// Every drawing of a view starts here (fn: what the view does on each poll).
// A poll answered after the player moved on draws nothing: each call gets
// `current()`, false once another view was drawn.
function poll(fn) {
  clearTimeout(app.pollTimer);
  app.pollTimer = 0;
  const gen = ++app.gen;
  if (!fn) return;
  const current = () => gen === app.gen;
  const delay = () => {
    const since = Date.now() - app.sentAt;
    if (since > FAST_POLL_FOR_MS || !waiting()) return POLL_MS;
    return since < FAST_POLL_FIRST_MS ? FAST_POLL_MS : SOON_POLL_MS;
  };
  const tick = async () => {
    if (!current()) return;
    await fn(current);
    if (current()) app.pollTimer = setTimeout(tick, delay());
  };
  app.pollTimer = setTimeout(tick, delay());
}

// ---------------------------------------------------------------- outbox

// Results sent and not yet acknowledged, kept across reloads and sleeps and
// sent again until the server answers: it writes nothing for a result it
// already has.
function outbox() {
  try { return JSON.parse(localStorage.getItem(KEY_OUTBOX) || '{}'); } catch (e) { return {}; }
}
function saveOutbox(box) { localStorage.setItem(KEY_OUTBOX, JSON.stringify(box)); }
function pendingSend(b) { return outbox()[app.table + ':' + b] || null; }
function queue(result) {
  const box = outbox();
  box[app.table + ':' + result.board] = result;
  saveOutbox(box);
}
function unqueue(result) {
  const box = outbox();
  const key = app.table + ':' + result.board;
  if (box[key] && JSON.stringify(box[key]) === JSON.stringify(result)) delete box[key];
  saveOutbox(box);
}

// Sends one result; true once the server has it on disk. A conflict or a
// refusal is told and the result dropped; a lost network keeps it queued.
async function deliver(result) {
  try {
    const answer = await Api.send(app.table, result);
    unqueue(result);
    mergeBoard(answer.board);
    setLink(true);
    return true;
  } catch (e) {
    if (e.status === 0) { setLink(false); return false; }
    unqueue(result);
    // Dropped: the table is told which result was not sent.
    e.message = 'Donne ' + result.board + ' : « ' + resultDisplay(result) + ' » n’a pas été envoyé. ' + errorText(e);
    if (handleLost(e)) return false;
    const fresh = e.data && e.data.board;
    mergeBoard(fresh);
    let told = e.message;
    if (e.code === 'conflict' && fresh) {
      told += fresh.current ? ' Résultat enregistré maintenant : ' + currentDisplay(fresh.current) + '.'
        : ' Il n’y a plus de résultat pour cette donne.';
    }
    await ask(told, [['OK', 1, 'main']]);
    return false;
  }
}

async function flushOutbox() {
  for (const [key, result] of Object.entries(outbox())) {
    if (!key.startsWith(app.table + ':')) continue;
    await deliver(result);
    if (!app.table) return;
  }
}

// ---------------------------------------------------------------- routes

// "#" (the page as the state says) and "" are one place.
function go(hash) {
  if ((location.hash || '#') === hash) route(); else location.hash = hash;
}

async function route() {
  poll(null);
  const gen = app.gen;
  if (!Api.token()) return showJoin();
  if (!app.table) return showTables();
  const fresh = await refresh();
  if (gen !== app.gen) return undefined;  // the player went elsewhere meanwhile
  if (!fresh) {
    if (!app.table || !Api.token() || app.view === 'erreur') return undefined;
    if (!app.data) {
      render('hors-ligne', [el('h1', { text: 'Table ' + app.table }),
        el('p', { class: 'error', text: 'Le serveur ne répond pas. Vérifiez le Wi-Fi.' }),
        el('div', { class: 'buttons' }, button('Réessayer', route, { class: 'main' }))]);
      poll(route);
      return undefined;
    }
  }
  const [name, arg] = location.hash.replace(/^#/, '').split('/');
  const n = parseInt(arg, 10);
  if (playersAsked() && name !== 'fin') return showPlayers();
  if (name === 'donne' && board(n)) {
    const kept = keptDraft(n);
    return kept && kept.confirm && !settled(n) ? showConfirm(kept.confirm.result, kept.confirm.score) : showBoard(n);
  }
  if (name === 'envoi' && board(n)) return showSent(n);
  if (name === 'fin') return showEnd();
  if (name === 'tour' && round(n)) return showRound(n);
  const r = currentRound();
  return r ? showRound(r) : showEnd();
}

// The players are asked when the pairs are not entered in the program and
// this table has not given them yet.
function playersAsked() {
  const p = app.data.players || {};
  return !!p.needed && !p.done;
}

// A new password asked is a new evening (or a new device): nothing of the
// one before is kept, not even a result that never reached the server.
function forgetEvening() {
  for (const key of Object.keys(localStorage)) {
    if (key.startsWith('talvaron.')) localStorage.removeItem(key);
  }
}

// ---------------------------------------------------------------- join

function showJoin(message) {
  const field = el('input', { id: 'password', type: 'password', autocomplete: 'current-password', autocapitalize: 'none' });
  const status = el('p', { class: 'error', role: 'alert', id: 'join-error', text: message || '' });
  const form = el('form', {
    onsubmit: async (ev) => {
      ev.preventDefault();
      status.textContent = '';
      const ok = form.querySelector('button');
      ok.disabled = true;
      try {
        const r = await Api.join(field.value);
        forgetEvening();
        Api.setToken(r.token);
        app.tables = r.tables || 0;
        localStorage.setItem(KEY_TABLES, String(app.tables));
        showTables();
      } catch (e) {
        status.textContent = errorText(e);
        field.select();
      } finally {
        ok.disabled = false;
      }
    },
  },
  el('label', { for: 'password', text: 'Code ou mot de passe' }), field,
  el('p', { class: 'note', text: 'Tapez-le exactement comme il est écrit, minuscules et majuscules comprises.' }),
  el('div', { class: 'buttons' }, el('button', { type: 'submit', class: 'main', id: 'enter' }, 'Entrer')));
  render('connexion', [el('h1', { text: 'Bienvenue à la table' }),
    el('p', { text: 'Le code ou le mot de passe est affiché par l’arbitre, à côté de l’adresse.' }), status, form]);
  field.focus();
}

function showTables(message) {
  const status = el('p', { class: 'error', role: 'alert', id: 'table-error', text: message || '' });
  const numbers = [];
  for (let t = 1; t <= app.tables; ++t) {
    numbers.push(button(String(t), () => claim(t, status), { 'aria-label': 'Table ' + t, 'data-table': t }));
  }
  render('tables', [el('h1', { text: 'Votre table' }),
    el('p', { text: 'Touchez le numéro de votre table.' }), status,
    el('div', { class: 'grid g4' }, numbers)]);
}

async function claim(t, status) {
  try {
    await Api.claim(t, false);
  } catch (e) {
    if (e.status === 409 && e.code === 'table_taken') {
      const yes = await ask(e.message, [['Reprendre la table', true, 'main'], ['Annuler', false]]);
      if (!yes) return;
      try { await Api.claim(t, true); } catch (e2) { if (!handleLost(e2)) status.textContent = errorText(e2); return; }
    } else {
      if (!handleLost(e)) status.textContent = errorText(e);
      return;
    }
  }
  app.table = t;
  app.data = null;
  localStorage.setItem(KEY_TABLE, String(t));
  await flushOutbox();
  go('#');
}

// ---------------------------------------------------------------- players

async function showPlayers() {
  // The licences looked up so far (the server gives one player at a time):
  // the name found, '' for none. A refusal (the network, too many look-ups)
  // is thrown, and the licence asked again later.
  const byLicence = new Map();
  const lookUp = async (licence) => {
    if (!byLicence.has(licence)) {
      const found = (await Api.players(app.table, { licence })).players || [];
      byLicence.set(licence, found.length ? found[0].name : '');
    }
    return byLicence.get(licence);
  };
  const first = rounds()[0] || {};
  const fields = SEATS_ASKED.map(([seat, name]) => {
    const input = el('input', { id: 'seat-' + seat, autocomplete: 'off', placeholder: 'Licence ou nom', enterkeyhint: 'next' });
    const found = el('p', { class: 'note', id: 'found-' + seat, 'aria-live': 'polite' });
    let pause = 0;
    input.addEventListener('input', () => {
      clearTimeout(pause);
      found.textContent = '';
      const v = input.value.trim();
      if (!/^\d+$/.test(v)) return;
      pause = setTimeout(async () => {
        let said;
        try {
          said = (await lookUp(v)) || 'Licence inconnue : tapez le nom.';
        } catch (e) {
          if (handleLost(e)) return;
          said = errorText(e);  // names can still be typed
        }
        if (input.value.trim() === v) found.textContent = said;
      }, LOOKUP_PAUSE_MS);
    });
    return { seat, input, box: el('div', {}, el('label', { for: 'seat-' + seat, text: name }), input, found) };
  });
  const status = el('p', { class: 'error', role: 'alert', id: 'players-error' });
  const form = el('form', {
    onsubmit: async (ev) => {
      ev.preventDefault();
      const seats = {};
      for (const f of fields) {
        const v = f.input.value.trim();
        if (!v) { seats[f.seat] = null; continue; }
        if (/^\d+$/.test(v)) {
          let name;
          try {
            name = await lookUp(v);
          } catch (e) {
            if (!handleLost(e)) { status.textContent = errorText(e); f.input.focus(); }
            return;
          }
          if (!name) { status.textContent = 'Licence ' + v + ' inconnue : tapez le nom.'; f.input.focus(); return; }
          seats[f.seat] = { licence: v, name };
        } else {
          seats[f.seat] = { licence: '', name: v };
        }
      }
      if (Object.values(seats).every((v) => !v)) { status.textContent = 'Entrez au moins un joueur.'; return; }
      try {
        await Api.sendPlayers(app.table, seats);
        go('#');
      } catch (e) {
        if (!handleLost(e)) status.textContent = errorText(e);
      }
    },
  },
  el('div', { class: 'card pairs' },
    el('span', { class: 'side', text: 'N/S' }), el('span', { text: shown(first, 'ns') }),
    el('span', { class: 'side', text: 'E/W' }), el('span', { text: shown(first, 'ew') })),
  fields.map((f) => f.box), status,
  el('div', { class: 'buttons' }, el('button', { type: 'submit', class: 'main', id: 'players-ok' }, 'Valider les joueurs')));
  render('joueurs', [el('h1', { text: 'Les joueurs' }),
    el('p', { text: 'Pour chaque place : le numéro de licence, ou le nom.' }), form]);
}

// ---------------------------------------------------------------- round

function pairsCard(x) {
  return el('div', { class: 'card pairs' },
    el('span', { class: 'side', text: 'N/S' }), el('span', { class: 'pair-ns', text: shown(x, 'ns') }),
    el('span', { class: 'side', text: 'E/W' }), el('span', { class: 'pair-ew', text: shown(x, 'ew') }));
}

// Where each pair of the round plays the next one, as the movement says.
function nextPlaces(x) {
  if (!x || !x.next) return null;
  const line = (side, n, place) => {
    if (!n || !place) return null;
    const who = side + ', paire ' + n + ' : ';
    return el('p', { 'data-side': side },
      who + (place.sitOut ? 'relais au tour suivant (table ' + place.table + ')' : 'table ' + place.table + ' en ' + place.direction));
  };
  const lines = [line('N/S', x.nsShown, x.next.ns), line('E/W', x.ewShown, x.next.ew)].filter(Boolean);
  if (!lines.length) return null;
  return el('div', { class: 'card', id: 'next-place' }, el('p', { class: 'summary', text: 'Au tour suivant' }), lines);
}

function boardLine(y) {
  const b = y.board;
  let state = 'à jouer', cls = 'state';
  if (y.settled) { state = 'Réglée par l’arbitre'; cls += ' done'; }
  else if (pendingSend(b)) { state = 'en attente d’envoi'; cls += ' wait'; }
  else if (taken(b)) { state = '✓ ' + currentDisplay(y.current); cls += ' done'; }
  else if (y.current) { state = 'envoyé, attente du programme'; cls += ' wait'; }
  const target = (hasResult(b) ? '#envoi/' : '#donne/') + b;
  return el('li', {}, button([el('span', { text: 'Donne ' + b }), el('span', { class: cls, text: state })],
    () => go(target), { 'data-board': b, id: 'board-' + b }));
}

function showRound(r) {
  const x = round(r);
  const kids = [el('h1', { text: 'Tour ' + r + ' sur ' + rounds().length })];
  if (x.sitOut) {
    const present = x.ns ? shown(x, 'ns') : x.ew ? shown(x, 'ew') : '';
    kids.push(el('div', { class: 'card', id: 'sit-out' },
      el('p', { class: 'summary', text: present ? 'Une seule paire à cette table' : 'Pas de jeu à cette table' }),
      el('p', { text: present ? 'La ' + present + ' ne joue pas ce tour-ci (relais).' : 'Aucune paire ne joue à cette table ce tour-ci.' })));
  } else {
    kids.push(pairsCard(x), el('h2', { text: 'Donnes' }), el('ul', { class: 'boards' }, x.boards.map(boardLine)));
  }
  const buttons = el('div', { class: 'buttons stack' });
  const leave = () => { if (x.sitOut) leaveSitOut(r); };
  if (!x.sitOut && !roundDone(x)) {
    const next = x.boards.find((y) => !hasResult(y.board)).board;
    buttons.append(button('Jouer la donne ' + next, () => go('#donne/' + next), { class: 'main', id: 'next-board', 'data-next': next }));
  } else if (r < lastRound()) {
    kids.push(nextPlaces(x));
    buttons.append(button('Tour suivant', () => { leave(); go('#tour/' + (r + 1)); }, { class: 'main', id: 'next-round' }));
  } else {
    buttons.append(button('Fin : le classement', () => { leave(); go('#fin'); }, { class: 'main', id: 'end' }));
  }
  if (r > 1) buttons.append(button('Tour précédent', () => go('#tour/' + (r - 1)), { id: 'previous-round' }));
  kids.push(buttons);
  render('tour', kids, r);
  poll(async (current) => { if (await refresh() && current()) showRound(r); });
}

// ---------------------------------------------------------------- board

// What was typed for a board stays on the device until it is sent or given
// up: a lost network, a sleeping screen or a reload does not wipe it.
function keptDraft(b) {
  try {
    const kept = JSON.parse(localStorage.getItem(KEY_DRAFT) || 'null');
    return kept && kept.table === app.table && kept.draft && kept.draft.board === b ? kept : null;
  } catch (e) { return null; }
}
function keepDraft(confirm) {
  if (app.draft) localStorage.setItem(KEY_DRAFT, JSON.stringify({ table: app.table, draft: app.draft, confirm: confirm || null }));
}
function dropDraft() {
  app.draft = null;
  localStorage.removeItem(KEY_DRAFT);
}

// A new entry; a correction starts from the result it corrects.
function newDraft(b) {
  const x = roundOf(b);
  const d = { board: b, round: x.round, kind: 'contract', declarer: '', level: 0, strain: '', doubling: '', result: null,
    leadRank: '', leadSuit: '', nsPercent: '', ewPercent: '' };
  const queued = pendingSend(b);
  if (queued) {
    const lead = /^(10|[2-9ARDV])([PCKT])$/.exec(queued.lead || '');
    return Object.assign(d, queued.kind === 'delete' ? {} : {
      kind: queued.kind, declarer: queued.declarer || '', level: queued.level || 0, strain: queued.strain || '',
      doubling: queued.doubling || '', result: typeof queued.result === 'number' ? queued.result : null,
      leadRank: lead ? lead[1] : '', leadSuit: lead ? lead[2] : '',
      nsPercent: queued.nsPercent === undefined ? '' : String(queued.nsPercent),
      ewPercent: queued.ewPercent === undefined ? '' : String(queued.ewPercent),
    });
  }
  const y = board(b);
  const t = ((y && y.current) || '').trim();
  const m = /^([NESO]) ([1-7])([PCKTS])(XX|X)?[NESO](=|[+-]\d+)$/.exec(t);
  const split = /^(\d+) - (\d+)$/.exec(t);
  if (m) {
    Object.assign(d, { declarer: m[1], level: Number(m[2]), strain: m[3], doubling: m[4] || '',
      result: m[5] === '=' ? 0 : Number(m[5]) });
    // The lead: from the file not yet taken, else from this table's line of the board's frequency.
    const own = (y.frequency || []).find((f) => f.ns === x.ns && f.ew === x.ew);
    const words = y.pending ? String(y.pending.text).trim().split(' ') : [];
    const lead = /^(10|[2-9ARDV])([PCKT])$/.exec(y.pending ? words[words.length - 1] : (own && own.lead) || '');
    if (lead) { d.leadRank = lead[1]; d.leadSuit = lead[2]; }
  } else if (t === 'PASSE') d.kind = 'pass';
  else if (t === 'NOT PLAYED' || t === 'MOY' || t === 'MOY.') d.kind = 'notplayed';
  else if (t === 'AJU' || t === 'AJU.') d.kind = 'arbitral';
  else if (split) Object.assign(d, { kind: 'split', nsPercent: split[1], ewPercent: split[2] });
  return d;
}

function choiceRow(cls, name, values, current, onpick, labelOf) {
  return el('div', { class: 'grid ' + cls, role: 'group', 'aria-label': name }, values.map((v) =>
    button(labelOf ? labelOf(v) : String(v), () => onpick(v),
      { 'aria-pressed': String(v === current), 'data-choice': name + ':' + v })));
}

function suitLabel(s) {
  return el('span', { class: RED[s] ? 'red' : '', text: SUIT_SIGN[s] });
}

function resultLabel(k) { return k === 0 ? '=' : (k > 0 ? '+' : '') + k; }

function showBoard(b) {
  if (settled(b)) return showSent(b);
  poll(null);
  if (!app.draft || app.draft.board !== b) {
    const kept = keptDraft(b);
    app.draft = kept ? kept.draft : newDraft(b);
  }
  keepDraft();
  const d = app.draft;
  const y = board(b);
  const x = roundOf(b);
  const redraw = () => showBoard(b);
  const correcting = hasResult(b);
  const kids = [el('h1', { text: (correcting ? 'Correction de la donne ' : 'Donne ') + b }),
    el('p', { class: 'note', text: 'Tour ' + x.round + ' – N/S paire ' + x.nsShown + ', E/W paire ' + x.ewShown +
      (y.dealer ? ' – donneur ' + seatName(y.dealer) + ', vulnérable : ' + y.vulnerable : '') })];
  if (correcting) kids.push(el('p', { class: 'warn', text: 'Résultat actuel : ' + currentDisplay(y.current || '') }));

  kids.push(choiceRow('g2', 'genre', ['contract', 'pass', 'notplayed', 'arbitral'],
    d.kind === 'split' ? 'arbitral' : d.kind, (k) => { d.kind = k; redraw(); },
    (k) => ({ contract: 'Contrat', pass: 'Passe général', notplayed: 'Non jouée', arbitral: 'Arbitral' })[k]));

  if (d.kind === 'contract') {
    kids.push(el('h2', { text: 'Déclarant' }),
      choiceRow('g4', 'declarant', ['N', 'E', 'S', 'O'], d.declarer, (v) => { d.declarer = v; redraw(); },
        (v) => SEATS.find((s) => s[0] === v)[1]));
    kids.push(el('h2', { text: 'Contrat' }),
      choiceRow('g7', 'niveau', [1, 2, 3, 4, 5, 6, 7], d.level, (v) => {
        d.level = v;
        if (d.result !== null && (d.result > 7 - v || d.result < -(v + 6))) d.result = null;
        redraw();
      }),
      choiceRow('g5', 'couleur', STRAINS.map((s) => s[0]), d.strain, (v) => { d.strain = v; redraw(); }, suitLabel),
      choiceRow('g3', 'contre', ['', 'X', 'XX'], d.doubling, (v) => { d.doubling = v; redraw(); },
        (v) => ({ '': 'Non contré', X: 'Contré', XX: 'Surcontré' })[v]));
    if (d.level) {
      const results = [];
      for (let k = 7 - d.level; k >= 1; --k) results.push(k);
      results.push(0);
      for (let k = -1; k >= -(d.level + 6); --k) results.push(k);
      kids.push(el('h2', { text: 'Résultat' }), choiceRow('g5', 'resultat', results, d.result, (v) => { d.result = v; redraw(); }, resultLabel));
    }
    if (app.data.leads) {
      // The suits in the contract's order.
      kids.push(el('h2', { text: 'Entame' }),
        choiceRow('g7', 'entame', RANKS, d.leadRank, (v) => { d.leadRank = v; redraw(); }),
        choiceRow('g4', 'entame-couleur', STRAINS.slice(0, 4).map((s) => s[0]), d.leadSuit, (v) => { d.leadSuit = v; redraw(); }, suitLabel));
    }
  }
  if (d.kind === 'arbitral' || d.kind === 'split') {
    const a = el('input', { id: 'split-ns', inputmode: 'numeric', value: d.nsPercent, placeholder: '%' });
    const c = el('input', { id: 'split-ew', inputmode: 'numeric', value: d.ewPercent, placeholder: '%' });
    const sync = () => {
      d.nsPercent = a.value.trim();
      d.ewPercent = c.value.trim();
      d.kind = d.nsPercent !== '' || d.ewPercent !== '' ? 'split' : 'arbitral';
      keepDraft();
    };
    a.addEventListener('input', sync);
    c.addEventListener('input', sync);
    kids.push(el('p', { class: 'note', text: 'Laissez vide pour que l’arbitre entre le score, ou donnez les pourcentages.' }),
      el('label', { for: 'split-ns', text: 'Pourcentage N/S' }), a, el('label', { for: 'split-ew', text: 'Pourcentage E/W' }), c);
  }
  const status = el('p', { class: 'error', role: 'alert', id: 'board-error' });
  const buttons = el('div', { class: 'buttons stack' },
    button('Voir le score', () => previewDraft(status), { class: 'main', id: 'preview' }));
  if (correcting) buttons.append(button('Effacer le résultat', () => confirmDelete(b), { class: 'danger', id: 'delete' }));
  buttons.append(button('Retour au tour', () => { dropDraft(); go('#tour/' + x.round); }, { id: 'back' }));
  kids.push(status, buttons);
  render('donne', kids, b);
  return undefined;
}

function draftMissing(d) {
  if (d.kind === 'contract') {
    if (!d.declarer) return 'Choisissez le déclarant.';
    if (!d.level || !d.strain) return 'Choisissez le contrat.';
    if (d.result === null) return 'Choisissez le résultat.';
    if (app.data.leads && (!d.leadRank || !d.leadSuit)) return 'Indiquez l’entame.';
  }
  if (d.kind === 'split') {
    const ok = (v) => /^\d{1,3}$/.test(v) && Number(v) <= 100;
    if (!ok(d.nsPercent) || !ok(d.ewPercent)) return 'Pourcentages entre 0 et 100.';
  }
  return '';
}

// What the server is sent for the draft; `previous` is the result the page
// saw, so that a result changed meanwhile elsewhere is not overwritten.
function draftResult(d) {
  const y = board(d.board);
  const r = { round: d.round, board: d.board, previous: (y && y.current) || '', kind: d.kind };
  if (d.kind === 'contract') {
    Object.assign(r, { declarer: d.declarer, level: d.level, strain: d.strain, doubling: d.doubling, result: d.result });
    if (d.leadRank && d.leadSuit) r.lead = d.leadRank + d.leadSuit;
  }
  if (d.kind === 'split') Object.assign(r, { nsPercent: Number(d.nsPercent), ewPercent: Number(d.ewPercent) });
  return r;
}

async function previewDraft(status) {
  const d = app.draft;
  const missing = draftMissing(d);
  if (missing) { status.textContent = missing; return; }
  const result = draftResult(d);
  let score = null;
  if (d.kind === 'contract') {
    try {
      score = await Api.score(app.table, { board: d.board, declarer: d.declarer, level: d.level, strain: d.strain,
        doubling: d.doubling, result: d.result });
    } catch (e) {
      if (!handleLost(e)) status.textContent = errorText(e);
      return;
    }
  } else if (d.kind === 'pass') {
    score = { text: PASS_SCORE };
  }
  if (app.draft !== d) return;  // the page moved on meanwhile
  showConfirm(result, score);
}

function showConfirm(result, score) {
  poll(null);
  if (!app.draft || app.draft.board !== result.board) {
    const kept = keptDraft(result.board);
    app.draft = kept ? kept.draft : null;
  }
  keepDraft({ result, score });
  const status = el('p', { class: 'error', role: 'alert', id: 'send-error' });
  const send = button('Envoyer', () => { send.disabled = true; sendResult(result); }, { class: 'main', id: 'send' });
  render('confirmation', [el('h1', { text: 'Donne ' + result.board + ' : à confirmer' }),
    el('div', { class: 'card' },
      el('p', { class: 'summary', id: 'result', text: resultDisplay(result) }),
      score ? el('p', { class: 'summary', id: 'score', text: typeof score.score === 'number' ? scoreDisplay(score.score) : score.text }) : null),
    status,
    el('div', { class: 'buttons stack' }, send,
      button('Modifier', () => { keepDraft(); showBoard(result.board); }, { id: 'change' }))], result.board);
}

async function confirmDelete(b) {
  const yes = await ask('Effacer le résultat de la donne ' + b + ' ?', [['Effacer', true, 'danger'], ['Annuler', false]]);
  if (!yes) return;
  const y = board(b);
  await sendResult({ round: roundOf(b).round, board: b, previous: y.current || '', kind: 'delete' });
}

async function sendResult(result) {
  queue(result);
  dropDraft();
  app.sentAt = Date.now();
  await deliver(result);  // on a lost network it stays queued and is sent again
  if (!app.table) return;
  await refresh();
  go('#envoi/' + result.board);
}

// ---------------------------------------------------------------- after sending

function showSent(b) {
  const y = board(b);
  const x = roundOf(b);
  const pending = pendingSend(b);
  const kids = [el('h1', { text: 'Donne ' + b })];
  const card = el('div', { class: 'card' });
  if (y.settled) {
    card.append(el('p', { class: 'summary', id: 'result', text: y.settled }),
      el('p', { class: 'ok', id: 'echo', 'data-state': 'settled', text: 'Réglée par l’arbitre : adressez-vous à lui pour toute question.' }));
  } else if (pending) {
    card.append(el('p', { class: 'summary', text: resultDisplay(pending) }),
      el('p', { class: 'warn', id: 'echo', 'data-state': 'queued', text: 'Pas encore reçu par le serveur : nouvel essai automatique.' }));
  } else if (taken(b)) {
    card.append(el('p', { class: 'summary', id: 'result', text: currentDisplay(y.current) }),
      y.echo.score !== null && y.echo.score !== undefined ? el('p', { class: 'summary', id: 'score', text: scoreDisplay(y.echo.score) }) : null,
      el('p', { class: 'ok', id: 'echo', 'data-state': 'taken', text: '✓ Résultat pris par le programme.' }));
  } else if (y.current) {
    card.append(el('p', { class: 'summary', id: 'result', text: currentDisplay(y.current) }),
      el('p', { class: 'warn', id: 'echo', 'data-state': 'sent', text: 'Envoyé. En attente du programme…' }));
  } else {
    card.append(el('p', { class: 'summary', text: 'Pas de résultat pour cette donne.' }));
  }
  kids.push(card);
  if (taken(b) && y.frequency && y.frequency.length) kids.push(el('h2', { text: 'Fréquence' }), frequencyTable(y.frequency, x));
  const buttons = el('div', { class: 'buttons stack' });
  // Never the board on this page: the big button leads to another board.
  const next = x.boards.find((z) => z.board !== b && !hasResult(z.board));
  if (next) buttons.append(button('Donne suivante (' + next.board + ')', () => go('#donne/' + next.board), { class: 'main', id: 'next-board', 'data-next': next.board }));
  else if (x.round < lastRound()) {
    if (roundDone(x)) kids.push(nextPlaces(x));
    buttons.append(button('Tour suivant', () => go('#tour/' + (x.round + 1)), { class: 'main', id: 'next-round' }));
  } else buttons.append(button('Fin : le classement', () => go('#fin'), { class: 'main', id: 'end' }));
  buttons.append(button('Retour au tour', () => go('#tour/' + x.round), { id: 'back' }));
  if (!y.settled) buttons.append(button('Corriger cette donne', () => { dropDraft(); go('#donne/' + b); }, { id: 'correct' }));
  kids.push(buttons);
  render('envoi', kids, b);
  poll(async (current) => {
    if (pendingSend(b)) await flushOutbox();
    if (current() && await refresh() && current()) showSent(b);
  });
}

// Every result of the board; this table's own line stands out.
function frequencyTable(lines, x) {
  const pct = (v) => (v === null || v === undefined ? '–' : String(v));
  // E/W pairs as the players know them (less the tables in a Mitchell).
  const offset = x.ew && x.ewShown ? x.ew - x.ewShown : 0;
  const ewShown = (n) => (n > offset ? n - offset : n);
  const rows = lines.map((f) => {
    const own = f.ns === x.ns && f.ew === x.ew;
    return el('tr', { class: own ? 'own' : '' },
      el('td', { text: contractDisplay(f.contract) }),
      el('td', { class: 'num', text: f.score === null || f.score === undefined ? '–' : String(f.score) }),
      el('td', { class: 'num', text: String(f.ns) }), el('td', { class: 'num', text: pct(f.nsPercent) }),
      el('td', { class: 'num', text: String(ewShown(f.ew)) }), el('td', { class: 'num', text: pct(f.ewPercent) }));
  });
  return el('div', { class: 'scroll' }, el('table', { id: 'frequency' },
    el('thead', {}, el('tr', {}, ['Contrat', 'Score', 'N/S', '%', 'E/W', '%'].map((h, i) =>
      el('th', { class: i ? 'num' : '', text: h })))),
    el('tbody', {}, rows)));
}

// ---------------------------------------------------------------- end

function rankingTables(ranking) {
  return ranking.lists.map((list) => el('section', { class: 'ranking' },
    list.title ? el('h2', { text: list.title }) : null,
    el('div', { class: 'scroll' }, el('table', {},
      el('thead', {}, el('tr', {}, el('th', { text: 'Place' }), el('th', { text: 'Paire' }), el('th', { text: 'Joueurs' }),
        el('th', { class: 'num', text: 'Score' }))),
      el('tbody', {}, list.rows.map((row) => el('tr', {},
        el('td', { text: row.place }), el('td', { text: row.pair }), el('td', { text: row.name }),
        el('td', { class: 'num', text: row.score }))))))));
}

function dealView(deal) {
  const hand = (seat, title) => el('div', { class: 'hand ' + seat.toLowerCase() }, el('strong', { text: title }),
    (deal.hands[seat] || []).map((ranks, i) => {
      const suit = ['P', 'C', 'K', 'T'][i];
      return el('div', { class: RED[suit] ? 'red' : '' }, SUIT_SIGN[suit] + ' ' + (ranks.trim() || '—'));
    }));
  return [el('div', { class: 'deal card', 'data-deal': deal.board },
    hand('N', 'Nord'), hand('O', 'Ouest'), hand('E', 'Est'), hand('S', 'Sud')), analysisView(deal)];
}

// What could be made (double dummy), sent once the table's result is taken:
// the tricks of N, S, E, O as declarer in each strain, the par, and how the
// table's result compares.
function analysisView(deal) {
  if (!deal.tricks) return null;
  const strains = ['T', 'K', 'C', 'P', 'S'];
  return el('div', { class: 'analysis card', 'data-analysis': deal.board },
    el('table', { class: 'dd' },
      el('thead', {}, el('tr', {}, el('th', { text: '' }),
        strains.map((s) => el('th', { class: RED[s] ? 'red' : '', text: SUIT_SIGN[s] })))),
      el('tbody', {}, ['N', 'S', 'E', 'O'].map((seat, i) => el('tr', {}, el('th', { text: seat }),
        deal.tricks[i].map((t) => el('td', { text: t })))))),
    el('p', { class: 'par', text: deal.par || '' }),
    deal.compared ? el('p', { class: 'compared', text: deal.compared }) : null);
}

async function showEnd() {
  const gen = app.gen;
  let ranking = null, deals = null;
  try { ranking = await Api.ranking(); } catch (e) { if (handleLost(e)) return; }
  try { deals = await Api.deals(app.table); } catch (e) { if (handleLost(e)) return; }
  if (gen !== app.gen) return;  // the player went elsewhere meanwhile
  const kids = [el('h1', { text: 'Classement' })];
  if (!ranking || !ranking.available) {
    kids.push(el('p', { class: 'note', text: (ranking && ranking.message) || 'Le classement n’est pas encore disponible.' }));
  } else {
    kids.push(el('div', { id: 'ranking' }, rankingTables(ranking)));
  }
  if (deals && deals.deals && deals.deals.length) {
    kids.push(el('h2', { text: 'Les donnes' }));
    for (const d of deals.deals) kids.push(el('h2', { text: 'Donne ' + d.board }), dealView(d));
  }
  kids.push(el('div', { class: 'buttons stack' },
    button('Revoir les tours', () => go('#tour/' + lastRound()), { id: 'rounds' })));
  render('fin', kids);
  poll(async (current) => { if (await refresh() && current()) await showEnd(); });
}

// ---------------------------------------------------------------- start

window.addEventListener('hashchange', route);
window.addEventListener('online', async () => { if (app.table) await flushOutbox(); route(); });
document.addEventListener('visibilitychange', async () => {
  if (document.visibilityState === 'visible' && app.table) { await flushOutbox(); route(); }
});

(async function start() {
  // A file of the page's own refused (its script, the requests' script, its
  // style) leaves the page to load itself again; with them all here, that
  // reload is called off.
  const style = document.querySelector('link[rel="stylesheet"]');
  if (typeof Api === 'undefined' || !style || !style.sheet || !style.sheet.cssRules.length) return;
  window.stop();
  app.table = parseInt(localStorage.getItem(KEY_TABLE) || '0', 10) || 0;
  app.tables = parseInt(localStorage.getItem(KEY_TABLES) || '0', 10) || 0;
  if (app.table && Api.token()) await flushOutbox();
  route();
})();
