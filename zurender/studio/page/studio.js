// ZU Layers Studio: draws what the host's toolkit holds and sends what the person does. Nothing
// here knows what the plug-in does with a gesture: every change comes back from the server.
'use strict';

const token = new URLSearchParams(location.search).get('token') || '';
const $ = (id) => document.getElementById(id);

function url(path) { return path + (path.includes('?') ? '&' : '?') + 'token=' + encodeURIComponent(token); }

async function call(method, path, body) {
  const response = await fetch(url(path), {
    method,
    headers: body === undefined ? {} : {'Content-Type': 'application/json'},
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  let data = null;
  try { data = await response.json(); } catch (e) { data = {error: 'the studio answered ' + response.status}; }
  return {status: response.status, data};
}

function element(tag, className, text) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  return e;
}

function place(e, bounds) {
  e.style.left = bounds[0] + 'px';
  e.style.top = bounds[1] + 'px';
  e.style.width = (bounds[2] - bounds[0]) + 'px';
  e.style.height = (bounds[3] - bounds[1]) + 'px';
}

// ---- The dialog -------------------------------------------------------------------------------

let dialogState = null;
let busy = false;

function say(target, text, refused) {
  target.textContent = text || '';
  target.classList.toggle('refused', !!refused);
}

async function act(gesture) {
  if (busy) return;
  busy = true;
  try {
    const {status, data} = await call('POST', '/api/dialog', gesture);
    if (status === 200) {
      showDialog(data);
      if (data.message) say($('dialog-message'), data.message, !data.taken);
    } else {
      say($('dialog-message'), data.error || ('refused (' + status + ')'), true);
    }
  } catch (e) {
    say($('dialog-message'), 'The studio cannot be reached: ' + e.message, true);
  } finally {
    busy = false;
  }
}

function showDialog(state) {
  dialogState = state;
  $('settings-file').textContent = state.file;
  const open = state.open && state.dialog;
  $('dialog-window').hidden = !open;
  $('dialog-closed').hidden = !!open;
  if (!open) {
    $('closed-text').textContent = 'The dialog is closed. Reopen it to edit ' + state.file + ' again.';
    return;
  }
  drawDialog($('dialog-title'), $('dialog-body'), state.dialog, false);
  if (state.modal && state.modal.kind === 'menu') drawMenu(state.modal);
  if (state.modal && state.modal.kind === 'options') drawOptions(state.modal.dialog);
}

function drawDialog(title, body, dialog, local) {
  title.textContent = dialog.title;
  body.replaceChildren();
  body.style.width = dialog.width + 'px';
  body.style.height = dialog.height + 'px';
  // Groups first, so that the controls inside them are drawn over them.
  const order = dialog.controls.slice().sort((a, b) => (b.kind === 'group') - (a.kind === 'group'));
  for (const c of order) {
    if (!c.visible) continue;
    const e = drawControl(c, local);
    e.dataset.control = c.id;
    e.classList.add('ctl', c.kind);
    if (!c.enabled) e.classList.add('disabled');
    place(e, c.bounds);
    body.appendChild(e);
  }
}

function titled(c, field) {
  const e = element('div');
  if (c.label) {
    const t = element('span', 'title', c.label);
    if (c.labelWidth) t.style.width = c.labelWidth + 'px';
    e.appendChild(t);
  }
  e.appendChild(field);
  return e;
}

// One control as the toolkit holds it. In the options dialog (local) the edit texts are the
// person's until they answer it, as in any modal dialog.
function drawControl(c, local) {
  switch (c.kind) {
    case 'button': {
      const b = element('button', c.id === 1 ? 'default' : '', c.label || ('Button ' + c.id));
      b.type = 'button';
      b.disabled = !c.enabled;
      if (!local) b.addEventListener('click', () => act({do: 'press', control: c.id}));
      return b;
    }
    case 'checkbox': {
      const l = element('label');
      const box = element('input');
      box.type = 'checkbox';
      box.checked = c.value !== 0;
      box.disabled = !c.enabled;
      box.addEventListener('change', () => act({do: 'value', control: c.id, value: box.checked ? 1 : 0}));
      l.append(box, document.createTextNode(c.label));
      return l;
    }
    case 'popup': {
      const s = element('select');
      c.items.forEach((text, i) => s.appendChild(new Option(text, String(i))));
      if (c.value < 0 || c.value >= c.items.length) s.appendChild(new Option('(value ' + c.value + ')', String(c.value)));
      s.value = String(c.value);
      s.disabled = !c.enabled;
      s.addEventListener('change', () => act({do: 'value', control: c.id, value: Number(s.value)}));
      return titled(c, s);
    }
    case 'edit': {
      const input = element('input');
      input.type = 'text';
      input.value = c.text;
      input.disabled = !c.enabled;
      input.spellcheck = false;
      if (!local) {
        const send = () => { if (input.value !== c.text) act({do: 'text', control: c.id, text: input.value}); };
        input.addEventListener('change', send);
        input.addEventListener('keydown', (ev) => { if (ev.key === 'Enter') send(); });
      }
      return titled(c, input);
    }
    case 'list': return drawList(c);
    case 'group': {
      const g = element('div');
      if (c.label) g.appendChild(element('span', 'legend', c.label));
      return g;
    }
    case 'separator': return element('div');
    default: return element('div', '', c.label);
  }
}

function selectedRows(list) {
  const rows = [];
  list.rows.forEach((r, i) => { if (r.selected) rows.push(i); });
  return rows;
}

function drawList(c) {
  const box = element('div', 'list');
  box.tabIndex = 0;
  let dragFrom = -1;
  c.rows.forEach((r, i) => {
    const row = element('div', 'row');
    row.dataset.row = i;
    if (r.selected) row.classList.add('selected');
    if (!r.checked) row.classList.add('off');
    const check = element('input');
    check.type = 'checkbox';
    check.checked = r.checked;
    check.title = r.checked ? 'rendered: click to switch it off' : 'off: click to switch it on';
    check.addEventListener('click', (ev) => { ev.stopPropagation(); act({do: 'check', row: i}); });
    const mark = element('span', 'mark' + (r.marked ? ' on' : ''), '\u25CF');
    mark.title = r.marked ? 'marked: click to clear the mark' : 'click to mark the row';
    mark.addEventListener('click', (ev) => { ev.stopPropagation(); act({do: 'mark', row: i}); });
    const text = element('span', 'text', r.text);
    row.append(check, mark, text);
    row.addEventListener('click', (ev) => {
      let rows = [i];
      const now = selectedRows(c);
      if (ev.ctrlKey || ev.metaKey) rows = now.includes(i) ? now.filter((x) => x !== i) : now.concat([i]).sort((a, b) => a - b);
      else if (ev.shiftKey && now.length) {
        const from = Math.min(now[0], i), to = Math.max(now[now.length - 1], i);
        rows = [];
        for (let k = from; k <= to; ++k) rows.push(k);
      }
      act({do: 'select', rows});
    });
    text.addEventListener('dblclick', (ev) => { ev.stopPropagation(); rename(row, text, i, r.text); });
    row.draggable = true;
    row.addEventListener('dragstart', (ev) => { dragFrom = i; ev.dataTransfer.effectAllowed = 'move'; });
    row.addEventListener('dragover', (ev) => {
      if (dragFrom < 0 || dragFrom === i) return;
      ev.preventDefault();
      row.classList.toggle('drop-before', dragFrom > i);
      row.classList.toggle('drop-after', dragFrom < i);
    });
    row.addEventListener('dragleave', () => row.classList.remove('drop-before', 'drop-after'));
    row.addEventListener('drop', (ev) => {
      ev.preventDefault();
      if (dragFrom >= 0 && dragFrom !== i) act({do: 'move', from: dragFrom, to: i});
      dragFrom = -1;
    });
    box.appendChild(row);
  });
  // Keys as a list control takes them: arrows select, space switches the row, F2 renames,
  // Alt with an arrow moves the row.
  box.addEventListener('keydown', (ev) => {
    const now = selectedRows(c);
    const at = now.length ? now[0] : -1;
    if (ev.key === 'ArrowDown' || ev.key === 'ArrowUp') {
      ev.preventDefault();
      const next = Math.max(0, Math.min(c.rows.length - 1, at + (ev.key === 'ArrowDown' ? 1 : -1)));
      if (at < 0 && !c.rows.length) return;
      if (ev.altKey && at >= 0 && next !== at) act({do: 'move', from: at, to: next});
      else act({do: 'select', rows: [at < 0 ? 0 : next]});
    } else if (ev.key === ' ' && at >= 0) {
      ev.preventDefault();
      act({do: 'check', row: at});
    } else if (ev.key === 'F2' && at >= 0) {
      ev.preventDefault();
      const row = box.querySelector('[data-row="' + at + '"]');
      rename(row, row.querySelector('.text'), at, c.rows[at].text);
    }
  });
  return box;
}

function rename(row, text, i, old) {
  const input = element('input', 'rename');
  input.value = old;
  input.maxLength = 127;
  let done = false;
  const finish = (keep) => {
    if (done) return;
    done = true;
    if (keep && input.value !== old) act({do: 'rename', row: i, text: input.value});
    else showDialog(dialogState);
  };
  input.addEventListener('keydown', (ev) => {
    ev.stopPropagation();
    if (ev.key === 'Enter') finish(true);
    if (ev.key === 'Escape') finish(false);
  });
  input.addEventListener('blur', () => finish(true));
  input.addEventListener('click', (ev) => ev.stopPropagation());
  row.replaceChild(input, text);
  input.focus();
  input.select();
}

// The kind menu, where the plug-in opened it; the plug-in waits for the choice.
function drawMenu(modal) {
  const body = $('dialog-body');
  const menu = element('div', 'menu');
  menu.id = 'kind-menu';
  menu.style.left = modal.x + 'px';
  menu.style.top = modal.y + 'px';
  modal.items.forEach((text, i) => {
    const item = element('div', 'item', text);
    item.dataset.item = i + 1;
    item.addEventListener('click', (ev) => { ev.stopPropagation(); choose(i + 1); });
    menu.appendChild(item);
  });
  body.appendChild(menu);
  const dismiss = (ev) => {
    if (ev.type === 'keydown' && ev.key !== 'Escape') return;
    if (ev.type === 'mousedown' && menu.contains(ev.target)) return;
    choose(0);
  };
  const choose = (item) => {
    document.removeEventListener('mousedown', dismiss, true);
    document.removeEventListener('keydown', dismiss, true);
    act({do: 'choose', item});
  };
  document.addEventListener('mousedown', dismiss, true);
  document.addEventListener('keydown', dismiss, true);
}

// The options dialog, with the texts the plug-in put into it.
function drawOptions(dialog) {
  const shade = element('div', 'shade');
  shade.id = 'options-dialog';
  const win = element('div', 'window');
  const title = element('div', 'titlebar');
  const body = element('div', 'dialog-body');
  win.append(title, body);
  shade.appendChild(win);
  $('dialog-body').appendChild(shade);
  drawDialog(title, body, dialog, true);
  const text = (id) => body.querySelector('[data-control="' + id + '"] input').value;
  const answer = (confirm) => act({do: 'options', confirm, first: text(3), second: text(4)});
  body.querySelector('[data-control="1"] button, button[data-control="1"]').addEventListener('click', () => answer(true));
  body.querySelector('[data-control="2"] button, button[data-control="2"]').addEventListener('click', () => answer(false));
  body.querySelectorAll('input[type=text]').forEach((input) => input.addEventListener('keydown', (ev) => {
    if (ev.key === 'Enter') answer(true);
    if (ev.key === 'Escape') answer(false);
  }));
  const first = body.querySelector('input[type=text]');
  if (first) first.focus();
}

$('reopen').addEventListener('click', () => act({do: 'reopen'}));

// ---- The render -------------------------------------------------------------------------------

let shownResult = null;
let polling = false;

$('render-form').addEventListener('submit', async (ev) => {
  ev.preventDefault();
  const width = Number($('width').value), height = Number($('height').value);
  const {status, data} = await call('POST', '/api/render', {width, height});
  if (status !== 202) {
    say($('render-message'), data.error || ('refused (' + status + ')'), true);
    return;
  }
  say($('render-message'), '');
  showRender(data);
  poll();
});

async function poll() {
  if (polling) return;
  polling = true;
  try {
    for (;;) {
      const {data} = await call('GET', '/api/render');
      showRender(data);
      if (data.state !== 'running') break;
      await new Promise((resolve) => setTimeout(resolve, 250));
    }
  } finally {
    polling = false;
  }
}

function showRender(status) {
  const running = status.state === 'running';
  $('render').disabled = running;
  $('progress').hidden = !running;
  $('progress-bar').style.width = (status.percent || 0) + '%';
  $('render-phase').textContent = running ? (status.phase || '') + (status.phase === 'tracing' ? ' ' + status.percent + '%' : '') : '';
  if (status.state === 'failed') say($('render-message'), 'The render failed: ' + status.message, true);
  if (status.state === 'done') say($('render-message'), 'Rendered ' + status.result.size.join('\u00D7') + '.');
  if (status.result && status.result !== shownResult && !running) showResult(status.result);
}

function fileLink(name, text) {
  const a = element('a', '', text);
  a.href = url('/files/' + name.split('/').map(encodeURIComponent).join('/'));
  return a;
}

function showResult(result) {
  shownResult = result;
  $('viewer').hidden = false;
  const stamp = '&v=' + Date.now();
  const downloads = $('downloads');
  downloads.replaceChildren(document.createTextNode('Download: '));
  for (const [name, text] of [['render.psd', 'render.psd'], ['render.exr', 'render.exr'], ['manifest.json', 'manifest.json']])
    if (result.files.includes(name)) downloads.appendChild(fileLink(name, text));
  const settings = element('a', '', 'the settings file');
  settings.href = url('/settings.json');
  downloads.appendChild(settings);
  $('summary').textContent = result.summary;
  $('contact-sheet').src = url('/files/contact-sheet.png') + stamp;

  const layers = $('layers');
  layers.replaceChildren();
  result.layers.forEach((layer, i) => {
    const card = element('div', 'layer');
    card.dataset.layer = i;
    const img = element('img');
    img.alt = layer.name;
    if (layer.preview) img.src = url('/files/' + layer.preview.split('/').map(encodeURIComponent).join('/')) + stamp;
    const kind = layer.kind && layer.kind !== layer.name ? ' \u00B7 a ' + layer.kind + ' layer' : '';
    const facts = element('div', 'facts', 'blend ' + layer.blendMode + ' (\u2018' + layer.blendKey + '\u2019)' + kind);
    const toggle = element('label');
    const box = element('input');
    box.type = 'checkbox';
    box.checked = layer.visible;
    box.className = 'in-stack';
    box.addEventListener('change', () => { card.classList.toggle('out', !box.checked); restack(); });
    toggle.append(box, document.createTextNode('in the stack'));
    card.append(img, element('div', 'name', layer.name), facts);
    if (!layer.visible) card.appendChild(element('div', 'hidden-flag', 'hidden in the file'));
    card.appendChild(toggle);
    card.classList.toggle('out', !layer.visible);
    layers.appendChild(card);
  });

  const check = result.check || {};
  const table = $('check-table');
  table.replaceChildren();
  const head = table.insertRow();
  for (const [text, n] of [['file', 0], ['arithmetic', 0], ['max', 1], ['mean', 1], ['99%', 1], ['relative', 1]]) {
    const th = element('th', n ? 'n' : '', text);
    head.appendChild(th);
  }
  for (const s of check.stacks || []) {
    const tr = table.insertRow();
    for (const [v, n] of [[s.file, 0], [s.arithmetic, 0], [sci(s.max), 1], [sci(s.mean), 1], [sci(s.p99), 1], [sci(s.relative), 1]]) {
      const td = tr.insertCell();
      td.textContent = v;
      if (n) td.className = 'n';
    }
  }
  const verdict = $('check-verdict');
  verdict.className = 'verdict ' + (check.rebuilt ? 'good' : 'bad');
  verdict.textContent = check.error ? 'The check failed: ' + check.error
    : (check.rebuilt ? 'The layers rebuild the render' : 'The layers do not rebuild the render') +
      ' (' + check.judged + ' error ' + sci(check.relativeError) + ' relative, ' + (check.rebuilt ? 'within ' : 'above ') +
      sci(check.tolerance) + ').';
  $('check-reasons-head').hidden = !(check.obstacles || []).length;
  const reasons = $('check-reasons');
  reasons.replaceChildren();
  for (const o of check.obstacles || []) reasons.appendChild(element('li', '', o));

  $('final').src = url('/api/stack/final.png') + stamp;
  if (result.viewer) {
    $('stack-error').replaceChildren();
    $('stack-error').insertRow().insertCell().textContent = 'The stack cannot be rebuilt here: ' + result.viewer;
  } else {
    restack();
  }
}

function sci(v) { return typeof v === 'number' ? v.toExponential(1) : ''; }

let restacking = Promise.resolve();
function restack() {
  const visible = Array.from(document.querySelectorAll('#layers .in-stack')).map((b) => b.checked);
  restacking = restacking.then(async () => {
    const {status, data} = await call('POST', '/api/stack', {visible});
    const table = $('stack-error');
    table.replaceChildren();
    if (status !== 200) {
      table.insertRow().insertCell().textContent = data.error;
      return;
    }
    const depth = data.depth === 32 ? 'in float' : 'at ' + data.depth + ' bits';
    for (const [name, value] of [['largest error', data.max], ['mean error', data.mean], ['99th percentile', data.p99]]) {
      const tr = table.insertRow();
      tr.insertCell().textContent = name;
      const td = tr.insertCell();
      td.className = 'n';
      td.textContent = sci(value);
    }
    const tr = table.insertRow();
    tr.insertCell().textContent = 'worst at';
    const at = tr.insertCell();
    at.className = 'n';
    at.textContent = 'x ' + data.worst[0] + ', y ' + data.worst[1];
    const caption = table.createCaption();
    caption.textContent = 'stacked ' + depth + ', against the Final Render';
    table.dataset.max = data.max;
    const stamp = '&v=' + Date.now();
    $('composite').src = url('/api/stack/composite.png') + stamp;
    $('difference').src = url('/api/stack/difference.png') + stamp;
  }).catch((e) => {
    const table = $('stack-error');
    table.replaceChildren();
    table.insertRow().insertCell().textContent = 'The studio cannot be reached: ' + e.message;
  });
}

// ---- Start ------------------------------------------------------------------------------------

(async () => {
  const {status, data} = await call('GET', '/api/dialog');
  if (status === 200) {
    showDialog(data);
    if (data.message) say($('dialog-message'), data.message, !data.taken);
  } else {
    say($('dialog-message'), data.error || 'refused', true);
  }
  const render = await call('GET', '/api/render');
  if (render.status === 200) {
    showRender(render.data);
    if (render.data.state === 'running') poll();
  }
})();
