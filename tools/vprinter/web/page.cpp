// Plain HTML, CSS and a small script: no framework, no build step, nothing
// fetched from elsewhere. Everything that comes from the printer is put on
// the page as text (textContent, setAttribute), never as markup.
#include "tools/vprinter/web/page.h"

namespace vprinter {

const char kPageHtml[] = R"page(<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Virtual printer</title>
<link rel="stylesheet" href="/app.css">
</head>
<body>
<header>
  <h1>Virtual printer</h1>
  <span id="live" role="status">connecting&hellip;</span>
</header>
<main>
<section id="printer" aria-labelledby="h-printer">
  <h2 id="h-printer">Printer</h2>
  <dl id="state">
    <div><dt>On line</dt><dd id="st-online">?</dd></div>
    <div><dt>Cover</dt><dd id="st-cover">?</dd></div>
    <div><dt>Paper</dt><dd id="st-paper">?</dd></div>
    <div><dt>Drawer</dt><dd id="st-drawer">?</dd></div>
    <div><dt>Errors</dt><dd id="st-errors">?</dd></div>
    <div><dt>Ink</dt><dd id="st-ink">?</dd></div>
    <div><dt>Held</dt><dd id="st-held">?</dd></div>
    <div><dt>Model</dt><dd id="st-model">?</dd></div>
  </dl>
  <div class="buttons">
    <fieldset><legend>Cover</legend>
      <button type="button" id="cover-open" data-line="cover open">Open cover</button>
      <button type="button" id="cover-close" data-line="cover close">Close cover</button></fieldset>
    <fieldset><legend>Paper</legend>
      <button type="button" id="paper-ok" data-line="paper ok">Paper ok</button>
      <button type="button" id="paper-near-end" data-line="paper near-end">Near end</button>
      <button type="button" id="paper-empty" data-line="paper empty">Empty</button></fieldset>
    <fieldset><legend>Switch</legend>
      <button type="button" id="offline" data-line="offline">Off line</button>
      <button type="button" id="online" data-line="online">On line</button></fieldset>
    <fieldset><legend>Drawer</legend>
      <button type="button" id="drawer-open" data-line="drawer open">Open drawer</button>
      <button type="button" id="drawer-close" data-line="drawer close">Close drawer</button></fieldset>
    <fieldset><legend>Errors</legend>
      <button type="button" id="error-cutter" data-line="error cutter">Cutter</button>
      <button type="button" id="error-mechanical" data-line="error mechanical">Mechanical</button>
      <button type="button" id="error-unrecoverable" data-line="error unrecoverable">Unrecoverable</button>
      <button type="button" id="error-clear" data-line="error clear">Clear errors</button></fieldset>
    <fieldset><legend>Ink</legend>
      <label>Cartridge <select id="ink-cartridge"><option>1</option><option>2</option></select></label>
      <label>State <select id="ink-state"><option>ok</option><option>near-end</option><option>empty</option>
        <option>removed</option><option>cleaning</option></select></label>
      <button type="button" id="ink-set">Set ink</button></fieldset>
  </div>
  <p id="reply" role="status" aria-live="polite"></p>
</section>
<section id="paper-section" aria-labelledby="h-paper">
  <h2 id="h-paper">On the paper now <span id="paper-number"></span></h2>
  <div class="beside">
    <div class="paper"><img id="paper" alt="The receipt being printed"></div>
    <figure id="display-panel" hidden>
      <figcaption>Customer display <span id="display-model"></span></figcaption>
      <div id="vfd" class="vfd" role="img" aria-label="The customer display"><div id="vfd-rows"></div></div>
      <p class="downloads"><a id="dl-display" href="/display.png" download="display.png">Download picture (PNG)</a>
        <span id="display-info"></span></p>
    </figure>
  </div>
  <p><button type="button" class="pick" id="pick-current" aria-pressed="true">Commands of this receipt</button></p>
</section>
<section id="receipts-section" aria-labelledby="h-receipts">
  <h2 id="h-receipts">Cut receipts</h2>
  <p id="no-receipts">None yet.</p>
  <ol id="receipts" reversed></ol>
</section>
<section id="log-section" aria-labelledby="h-log">
  <h2 id="h-log">Commands of <span id="log-title">the receipt in progress</span></h2>
  <p class="downloads"><a id="dl-png" download hidden>Download PNG</a> <a id="dl-jsonl" download>Download commands (JSON lines)</a></p>
  <div class="scroll"><table id="log">
    <thead><tr><th scope="col">#</th><th scope="col">Command</th><th scope="col">Details</th><th scope="col">Bytes</th></tr></thead>
    <tbody></tbody>
  </table></div>
</section>
</main>
<script src="/app.js"></script>
</body>
</html>
)page";

const char kPageCss[] = R"page(
* { box-sizing: border-box; }
body { margin: 0; font: 16px/1.4 system-ui, sans-serif; color: #111; background: #eceae4; }
header { display: flex; flex-wrap: wrap; gap: .5rem 1rem; align-items: baseline; padding: .6rem 1rem; background: #22313f; color: #fff; }
h1 { font-size: 1.25rem; margin: 0; }
h2 { font-size: 1.05rem; margin: 0 0 .5rem; }
#live { font-size: .9rem; padding: .1rem .5rem; border-radius: 1rem; background: #8a4b08; }
body[data-live="1"] #live { background: #1d6b35; }
main { display: grid; gap: 1rem; padding: 1rem; grid-template-columns: minmax(0, 1fr); max-width: 80rem; margin: auto; }
@media (min-width: 60rem) { main { grid-template-columns: minmax(0, 22rem) minmax(0, 1fr); }
  #printer { grid-row: span 2; } #log-section { grid-column: 1 / -1; } }
section { background: #fff; border-radius: .5rem; padding: .8rem; box-shadow: 0 1px 3px #0002; min-width: 0; }
dl { display: grid; grid-template-columns: repeat(auto-fill, minmax(9rem, 1fr)); gap: .3rem .8rem; margin: 0 0 .8rem; }
dt { font-size: .8rem; color: #555; } dd { margin: 0; font-weight: 600; }
dd.bad { color: #a40f0f; }
fieldset { border: 1px solid #ccc; border-radius: .4rem; margin: 0 0 .5rem; padding: .3rem .5rem .5rem; display: flex; flex-wrap: wrap; gap: .4rem; }
legend { font-size: .85rem; color: #444; }
button, select { font: inherit; font-size: .95rem; padding: .35rem .7rem; border: 1px solid #667; border-radius: .3rem; background: #f6f6f8; color: #111; min-height: 2.3rem; }
button:hover { background: #e4e7ef; }
button[aria-pressed="true"] { background: #22313f; color: #fff; }
:focus-visible { outline: 3px solid #1a73e8; outline-offset: 2px; }
.paper { overflow: auto; max-height: 70vh; background: #ddd; padding: .5rem; }
.paper img, #receipts img { display: block; max-width: 100%; height: auto; margin: auto; background: #fff; box-shadow: 0 1px 4px #0004; image-rendering: pixelated; }
#receipts { list-style: none; margin: 0; padding: 0; display: grid; gap: .8rem; grid-template-columns: repeat(auto-fill, minmax(14rem, 1fr)); }
#receipts li { border: 1px solid #ddd; border-radius: .4rem; padding: .5rem; display: flex; flex-direction: column; gap: .4rem; }
#receipts img { max-height: 24rem; object-fit: contain; object-position: top; }
.links { display: flex; gap: .8rem; font-size: .9rem; }
.scroll { overflow-x: auto; }
table { border-collapse: collapse; width: 100%; font-size: .85rem; }
th, td { text-align: left; vertical-align: top; padding: .2rem .4rem; border-bottom: 1px solid #eee; }
td.bytes { font-family: ui-monospace, monospace; word-break: break-all; color: #333; }
td.details { white-space: pre-wrap; word-break: break-word; }
tr.unknown { background: #fff1d6; }
.beside { display: flex; flex-wrap: wrap; gap: 1rem; align-items: flex-start; }
.beside .paper { flex: 1 1 16rem; min-width: 0; }
#display-panel { margin: 0; flex: 0 1 auto; }
figcaption { font-size: .9rem; color: #444; margin-bottom: .3rem; }
.vfd { --glow: 1; --blink: 1s; background: #0b1410; padding: .7rem 1rem; border-radius: .4rem;
  box-shadow: inset 0 0 14px #000, 0 1px 3px #0004; overflow-x: auto; }
#vfd-rows { font: 1.35rem/1.45 ui-monospace, monospace; white-space: pre; color: #60ffd0;
  text-shadow: 0 0 5px #60ffd0aa, 0 0 12px #60ffd055; opacity: calc(.2 + .8 * var(--glow)); }
.vfd.off #vfd-rows { visibility: hidden; }
.vfd-row { display: block; }
.vfd-row span.r, .vfd-row span.x { background: #60ffd0; color: #0b1410; text-shadow: none; }
.vfd-row span.cur { box-shadow: inset 0 -3px 0 #60ffd0; }
.vfd-row span.r.cur, .vfd-row span.x.cur { box-shadow: inset 0 -3px 0 #0b1410; }
.vfd.blink .vfd-row span.b, .vfd.blink .vfd-row span.x { animation: vfd-blink var(--blink) step-end infinite; }
@keyframes vfd-blink { 50% { visibility: hidden; } }
mark { background: #b3261e; color: #fff; padding: 0 .3rem; border-radius: .2rem; font-size: .75rem; }
)page";

const char kPageJs[] = R"page('use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const receipts = new Map();
  let current = 1;      // number of the receipt in progress
  let selected = 0;     // 0: the receipt in progress
  let logBusy = false, logAgain = false;

  function el(tag, attrs, text) {
    const e = document.createElement(tag);
    for (const k in attrs || {}) e.setAttribute(k, attrs[k]);
    if (text !== undefined) e.textContent = String(text);
    return e;
  }
  const pad = (n) => String(n).padStart(4, '0');
  const fileOf = (n, ext) => 'receipt-' + pad(n) + '.' + ext;

  function setText(id, text, bad) {
    const e = $(id);
    e.textContent = text;
    e.classList.toggle('bad', !!bad);
  }

  function showState(s) {
    setText('st-online', s.online ? 'on line' : 'off line', !s.online);
    setText('st-cover', s.cover, s.cover !== 'closed');
    setText('st-paper', s.paper, s.paper !== 'ok');
    setText('st-drawer', s.drawer);
    const errs = Object.keys(s.errors || {}).filter((k) => s.errors[k]);
    setText('st-errors', errs.length ? errs.join(', ') : 'none', errs.length > 0);
    const ink = s.ink || [];
    setText('st-ink', '1: ' + ink[0] + ', 2: ' + ink[1], ink.some((i) => i !== 'ok'));
    setText('st-held', String(s.held || 0) + ' commands', s.held > 0);
    setText('st-model', s.model || '');
    const pressed = { 'cover-open': s.cover === 'open', 'cover-close': s.cover === 'closed',
      'paper-ok': s.paper === 'ok', 'paper-near-end': s.paper === 'near-end', 'paper-empty': s.paper === 'empty',
      'offline': !!s.offline_switch, 'online': !s.offline_switch,
      'drawer-open': s.drawer === 'open', 'drawer-close': s.drawer === 'closed' };
    for (const id in pressed) $(id).setAttribute('aria-pressed', String(pressed[id]));
    document.body.dataset.cover = s.cover;
  }

  // The customer display: one span per cell, classed by its attribute
  // ("b" blinking, "r" reverse, "x" both); dimming and blinking by CSS.
  function showDisplay(d) {
    const rows = Array.isArray(d.rows) ? d.rows : [], attrs = Array.isArray(d.attrs) ? d.attrs : [];
    const cursor = Array.isArray(d.cursor) ? d.cursor : [-1, -1];
    $('display-panel').hidden = false;
    $('display-model').textContent = String(d.model || '');
    const box = $('vfd');
    box.style.setProperty('--glow', String(Math.max(0, Math.min(100, Number(d.brightness) || 0)) / 100));
    box.style.setProperty('--blink', String(2 * (Number(d.blink_ms) || 500)) + 'ms');
    box.classList.toggle('blink', Number(d.blink_ms) > 0);
    box.classList.toggle('off', d.lit === false);
    box.setAttribute('aria-label', 'The customer display: ' + rows.map(String).join(' / '));
    const lines = rows.map((text, r) => {
      const line = el('span', { class: 'vfd-row' });
      const cells = Array.from(String(text)), a = String(attrs[r] || '');
      cells.forEach((ch, c) => {
        const cls = [];
        if ('brx'.includes(a[c] || '.')) cls.push(a[c]);
        if (d.cursor_shown && cursor[0] === r && cursor[1] === c) cls.push('cur');
        line.append(el('span', cls.length ? { class: cls.join(' ') } : {}, ch));
      });
      return line;
    });
    $('vfd-rows').replaceChildren(...lines);
    $('display-info').textContent = (d.brightness === undefined ? '' : d.brightness + ' %') +
      (Number(d.blink_ms) > 0 ? ', blinking' : '') + (d.lit === false ? ', off' : '');
  }

  function addReceipt(r) {
    const n = Number(r.n);
    if (!Number.isInteger(n) || n < 1 || receipts.has(n)) return;
    receipts.set(n, r);
    current = Math.max(current, n + 1);
    const when = new Date(r.time);
    const li = el('li', { id: 'r-' + n });
    const pick = el('button', { type: 'button', class: 'pick', 'aria-pressed': 'false', 'data-n': String(n) });
    pick.append(el('strong', {}, '#' + n + ' '),
      el('time', { datetime: String(r.time) }, isNaN(when) ? String(r.time) : when.toLocaleString()));
    pick.addEventListener('click', () => select(n));
    const links = el('div', { class: 'links' });
    links.append(el('a', { href: '/' + fileOf(n, 'png'), download: fileOf(n, 'png') }, 'PNG'),
      el('a', { href: '/' + fileOf(n, 'jsonl'), download: fileOf(n, 'jsonl') }, 'Commands'));
    const img = el('img', { src: '/' + fileOf(n, 'png'), alt: 'Receipt ' + n, loading: 'lazy' });
    li.append(pick, links, img);
    // Newest first, whatever order events come in.
    let before = null;
    for (const other of $('receipts').children) if (Number(other.id.slice(2)) < n) { before = other; break; }
    $('receipts').insertBefore(li, before);
    while (receipts.size > 500) {  // the printer keeps no more either
      const oldest = Math.min(...receipts.keys());
      receipts.delete(oldest);
      const gone = $('r-' + oldest);
      if (gone) gone.remove();
    }
    $('no-receipts').hidden = true;
    $('paper-number').textContent = '(#' + current + ')';
  }

  function detailsOf(c) {
    const parts = [];
    if (c.args) parts.push('args ' + c.args.join(' '));
    if (c.text !== undefined) parts.push(JSON.stringify(c.text));
    if (c.data !== undefined) parts.push('data ' + JSON.stringify(c.data));
    if (c.data_len !== undefined) parts.push(c.data_len + ' data bytes');
    if (c.src) parts.push('from ' + c.src);
    if (c.note) parts.push('note: ' + c.note);
    return parts.join('\n');
  }

  function bytesOf(c) {
    const hex = String(c.hex || '').replace(/(..)(?!$)/g, '$1 ');
    return c.len > hex.length / 3 + 1 ? hex + ' \u2026 (' + c.len + ' bytes)' : hex;
  }

  function showLog(text) {
    const body = $('log').tBodies[0];
    body.replaceChildren();
    for (const line of text.split('\n')) {
      if (!line) continue;
      let c;
      try { c = JSON.parse(line); } catch (e) { continue; }
      const unknown = c.cmd === 'unknown' || c.cmd === 'oversize';
      const tr = el('tr', unknown ? { class: 'unknown' } : {});
      const name = el('td');
      name.append(String(c.cmd === undefined ? '' : c.cmd));
      if (unknown) name.append(' ', el('mark', {}, 'unknown'));
      tr.append(el('td', {}, c.seq === undefined ? '' : c.seq), name, el('td', { class: 'details' }, detailsOf(c)),
        el('td', { class: 'bytes' }, bytesOf(c)));
      body.append(tr);
    }
  }

  function showNote(text) {
    const row = el('tr');
    row.append(el('td', { colspan: '4' }, String(text).trim()));
    $('log').tBodies[0].replaceChildren(row);
  }

  function loadLog() {
    if (logBusy) { logAgain = true; return; }
    logBusy = true;
    const n = selected || current;
    fetch('/' + fileOf(n, 'jsonl'), { cache: 'no-store' })
      .then((r) => r.text().then((t) => (r.ok ? showLog(t) : showNote(t))))
      .catch(() => showNote('the printer did not answer'))
      .finally(() => { logBusy = false; if (logAgain) { logAgain = false; loadLog(); } });
  }

  function select(n) {
    selected = n;
    for (const b of document.querySelectorAll('button.pick'))
      b.setAttribute('aria-pressed', String(Number(b.dataset.n || 0) === n));
    $('log-title').textContent = n ? 'receipt #' + n : 'the receipt in progress';
    const png = $('dl-png');
    png.hidden = !n;
    if (n) { png.href = '/' + fileOf(n, 'png'); png.download = fileOf(n, 'png'); }
    const jsonl = $('dl-jsonl');
    jsonl.href = '/' + fileOf(n || current, 'jsonl');
    jsonl.download = fileOf(n || current, 'jsonl');
    loadLog();
  }

  function send(line) {
    fetch('/api/control', { method: 'POST', headers: { 'X-Vprinter': '1', 'Content-Type': 'text/plain' }, body: line })
      .then((r) => r.text())
      .then((t) => { $('reply').textContent = t.trim(); },
        () => { $('reply').textContent = 'the printer did not answer'; });
  }

  for (const b of document.querySelectorAll('button[data-line]'))
    b.addEventListener('click', () => send(b.dataset.line));
  $('ink-set').addEventListener('click', () => send('ink ' + $('ink-cartridge').value + ' ' + $('ink-state').value));
  $('pick-current').dataset.n = '0';
  $('pick-current').addEventListener('click', () => select(0));

  const parse = (e) => { try { return JSON.parse(e.data); } catch (x) { return null; } };
  const events = new EventSource('/events');
  events.onopen = () => { $('live').textContent = 'live'; document.body.dataset.live = '1'; };
  events.onerror = () => { $('live').textContent = 'reconnecting\u2026'; document.body.dataset.live = '0'; };
  events.addEventListener('receipts', (e) => { (parse(e) || []).forEach(addReceipt); select(selected); });
  events.addEventListener('receipt', (e) => {
    const r = parse(e);
    if (r) addReceipt(r);
    if (!selected) select(0);
  });
  events.addEventListener('state', (e) => { const s = parse(e); if (s) showState(s); });
  events.addEventListener('display', (e) => { const d = parse(e); if (d) showDisplay(d); });
  events.addEventListener('paper', (e) => {
    const p = parse(e);
    if (!p) return;
    current = Math.max(current, Number(p.n) || 1);
    $('paper-number').textContent = '(#' + current + ')';
    $('paper').src = '/paper.png?v=' + encodeURIComponent(p.v);
    if (!selected) loadLog();
  });
})();
)page";

}  // namespace vprinter
