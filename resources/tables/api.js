// The tables' server seen from a page: every request goes through here, with
// the device's token, and every answer is turned into the shapes app.js uses.
'use strict';

const Api = (() => {
  const TOKEN = 'talvaron.token';

  class ApiError extends Error {
    constructor(status, code, message) {
      super(message || code || ('HTTP ' + status));
      this.status = status;
      this.code = code || '';
    }
  }

  function token() { return localStorage.getItem(TOKEN) || ''; }
  function setToken(t) {
    if (t) localStorage.setItem(TOKEN, t); else localStorage.removeItem(TOKEN);
  }

  // One request; a network failure is an ApiError of status 0.
  async function call(method, path, body) {
    const headers = { 'Accept': 'application/json' };
    if (token()) headers['Authorization'] = 'Bearer ' + token();
    if (body !== undefined) headers['Content-Type'] = 'application/json';
    let response;
    try {
      response = await fetch(path, {
        method, headers, cache: 'no-store',
        body: body === undefined ? undefined : JSON.stringify(body),
      });
    } catch (e) {
      throw new ApiError(0, 'network', 'Pas de réseau');
    }
    let data = null;
    const text = await response.text();
    if (text) {
      try { data = JSON.parse(text); } catch (e) { data = { message: text }; }
    }
    if (!response.ok) {
      const d = data || {};
      // A full server asks for a moment: as a lost network, tried again.
      if (response.status === 503 && d.error === 'busy') throw new ApiError(0, 'network', 'Pas de réseau');
      const err = new ApiError(response.status, d.error || '', d.message || '');
      err.data = d;
      throw err;
    }
    return data || {};
  }

  const q = (table) => '?table=' + encodeURIComponent(table);

  // A request about the phone's table. A restarted server holds no table for
  // anyone: the phone chooses its table again, as the player did, and asks
  // once more.
  async function aboutTable(table, request) {
    try {
      return await request();
    } catch (e) {
      if (e.code !== 'table_free') throw e;
      await call('POST', '/api/table', { table, takeover: false });
      return request();
    }
  }

  return {
    ApiError,
    token, setToken,
    join: (password) => call('POST', '/api/join', { password }),
    claim: (table, takeover) => call('POST', '/api/table', { table, takeover: !!takeover }),
    state: (table) => aboutTable(table, () => call('GET', '/api/state' + q(table))),
    // One player, by licence or by name: { licence } or { name }.
    players: (table, query) => aboutTable(table, () =>
      call('GET', '/api/players' + q(table) + '&' + new URLSearchParams(query).toString())),
    sendPlayers: (table, seats) => aboutTable(table, () => call('POST', '/api/players', { table, seats })),
    score: (table, contract) => aboutTable(table, () => call('POST', '/api/score', Object.assign({ table }, contract))),
    send: (table, result) => aboutTable(table, () => call('POST', '/api/result', Object.assign({ table }, result))),
    ranking: () => call('GET', '/api/ranking'),
    deals: (table) => aboutTable(table, () => call('GET', '/api/deals' + q(table))),
  };
})();
