// What the view writes: Apply stores the settings in an LWO2 object beside the input, which
// `velmora parts` reads back, never over an input and never half-written; Export answers a glb
// as a download and writes nothing. VELMORA names the program, OBJECT an LWO2 object with sets
// "band0" and "band2" on surface "Default" (copied first).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { copyFileSync, mkdtempSync, readFileSync, readdirSync, rmSync, symlinkSync } from 'node:fs';
import { connect } from 'node:net';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { spawnSync } from 'node:child_process';
import { startView } from './view_process.mjs';

const velmora = process.env.VELMORA;
const folder = mkdtempSync(join(tmpdir(), 'velmora-writes-'));
const object = join(folder, basename(process.env.OBJECT));
copyFileSync(process.env.OBJECT, object);
const applied = object.replace(/\.lwo$/, '.applied.lwo');
const digest = (path) => createHash('sha256').update(readFileSync(path)).digest('hex');
const original = digest(object);
let view;

before(async () => { view = await startView(velmora, [object]); });
after(async () => {
  await view?.stop();
  rmSync(folder, { recursive: true, force: true });
});

function post(path, body = {}, token = view.token) {
  return fetch(`http://127.0.0.1:${view.port}${path}`, {
    method: 'POST',
    headers: { 'X-Velmora-Token': token, 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  });
}

const parts = (path) => spawnSync(velmora, ['parts', path], { encoding: 'utf8' });

test('the object names where Apply writes', async () => {
  const described = await (await fetch(`http://127.0.0.1:${view.port}/api/object?token=${view.token}`)).json();
  assert.equal(described.applyTo, applied);
});

test('Apply without the token writes nothing', async () => {
  assert.equal((await post('/api/apply', {}, 'wrong')).status, 403);
  assert.deepEqual(readdirSync(folder), [basename(object)]);
});

test('Apply stores the settings beside the object, which parts reads back; the object is unchanged', async () => {
  assert.equal((await post('/api/set', { surface: 'Default', set: 'band0', enabled: true, angle: 12 })).status, 200);
  const answer = await post('/api/apply');
  assert.equal(answer.status, 200);
  const { wrote, notes } = await answer.json();
  assert.equal(wrote, applied);
  assert.ok(notes.length > 0);
  const report = parts(applied);
  assert.equal(report.status, 0, report.stderr);
  assert.match(report.stdout, /"band0": \d+ polygons, smoothed at 12 degrees\n/);
  // Applied again after a change, the file takes the new settings; no temporary file is left.
  await post('/api/set', { surface: 'Default', set: 'band0', angle: 30 });
  assert.equal((await post('/api/apply')).status, 200);
  assert.match(parts(applied).stdout, /"band0": \d+ polygons, smoothed at 30 degrees\n/);
  assert.deepEqual(readdirSync(folder).sort(), [basename(applied), basename(object)].sort());
  assert.equal(digest(object), original);
});

test('Apply refuses to write through a link onto the object', async () => {
  rmSync(applied);
  symlinkSync(object, applied);
  const answer = await post('/api/apply');
  assert.equal(answer.status, 409);
  assert.match((await answer.json()).error, /input/);
  assert.equal(digest(object), original);
  rmSync(applied);
});

test('Export answers a glb download named after the object and writes nothing', async () => {
  assert.equal((await post('/api/export-glb', {}, '')).status, 403);
  const answer = await post('/api/export-glb');
  assert.equal(answer.status, 200);
  assert.equal(answer.headers.get('content-type'), 'model/gltf-binary');
  assert.equal(answer.headers.get('content-disposition'), `attachment; filename="${basename(object, '.lwo')}.glb"`);
  const glb = Buffer.from(await answer.arrayBuffer());
  assert.equal(glb.toString('latin1', 0, 4), 'glTF');
  assert.equal(glb.readUInt32LE(4), 2);
  assert.equal(glb.readUInt32LE(8), glb.length);
  assert.deepEqual(readdirSync(folder), [basename(object)]);
});

test('-o naming the object, or another format, is refused before anything listens', () => {
  for (const [output, pattern] of [[object, /it is the input/], [join(folder, 'out.png'), /\.png names another format/]]) {
    const refused = spawnSync(velmora, ['view', object, '-o', output], { encoding: 'utf8', timeout: 60000 });
    assert.notEqual(refused.status, 0);
    assert.match(refused.stderr, /^velmora: error: /);
    assert.match(refused.stderr, pattern);
    assert.equal(refused.stdout, '');
  }
  assert.equal(digest(object), original);
});

test('proposed sets carry their kind and reason, and Apply writes them as the object\'s sets', async () => {
  const proposing = await startView(velmora, [object, '--sets-from', 'shape']);
  try {
    const address = `http://127.0.0.1:${proposing.port}`;
    const described = await (await fetch(`${address}/api/object?token=${proposing.token}`)).json();
    const round = described.sets.find((set) => set.proposed?.kind === 'Round');
    assert.equal(round.proposed.kind, 'Round');
    assert.match(round.proposed.summary, /^Round, \S/);
    const answer = await fetch(`${address}/api/apply`, {
      method: 'POST', headers: { 'X-Velmora-Token': proposing.token }, body: '{}',
    });
    assert.equal(answer.status, 200);
    assert.ok((await answer.json()).notes.some((note) => /written as PART tags/.test(note)));
    assert.match(parts(applied).stdout, /"Rounds? ?\d* \(\w+\)": \d+ polygons, smoothed at/);
    assert.equal(digest(object), original);
  } finally {
    await proposing.stop();
    rmSync(applied, { force: true });
  }
});

test('settings saved with --sets-from: Apply writes the sets they recall, and Save recalls them again', async () => {
  const saved = join(folder, 'by_surface.settings');
  const resaved = join(folder, 'resaved.settings');
  const saving = spawnSync(velmora, ['parts', object, '--sets-from', 'surfaces', '--set', 'Default:20',
    '--save-settings', saved], { encoding: 'utf8' });
  assert.equal(saving.status, 0, saving.stderr);
  const recalling = await startView(velmora, [object, '--settings', saved, '--save-settings', resaved]);
  try {
    const address = `http://127.0.0.1:${recalling.port}`;
    const write = (path) => fetch(`${address}${path}`, {
      method: 'POST', headers: { 'X-Velmora-Token': recalling.token }, body: '{}',
    });
    const answer = await write('/api/apply');
    assert.equal(answer.status, 200);
    assert.ok((await answer.json()).notes.some((note) => /polygon sets from surfaces written as PART tags/.test(note)));
    assert.match(parts(applied).stdout, /"Default": \d+ polygons, smoothed at 20 degrees/);
    assert.equal((await write('/api/save-settings')).status, 200);
    const reread = spawnSync(velmora, ['parts', object, '--settings', resaved], { encoding: 'utf8' });
    assert.equal(reread.status, 0, reread.stderr);
    assert.match(reread.stderr, /polygon sets from surfaces, as the settings were saved with/);
    assert.equal(digest(object), original);
  } finally {
    await recalling.stop();
    for (const path of [saved, resaved, applied]) rmSync(path, { force: true });
  }
});

// The request's body is sent only after the stop: the answer is written whole before the view
// ends, where the library used to cut the body off after the headers.
test('a stop lets an Apply under way answer whole', async () => {
  const target = join(folder, 'stopped.lwo');
  const stopping = await startView(velmora, [object, '-o', target]);
  const answer = await new Promise((resolve) => {
    const socket = connect(stopping.port, '127.0.0.1');
    let received = '';
    socket.on('data', (data) => { received += data; });
    socket.on('close', () => resolve(received));
    socket.on('error', () => resolve(received));
    socket.on('connect', async () => {
      socket.write(`POST /api/apply HTTP/1.1\r\nHost: 127.0.0.1:${stopping.port}\r\n` +
        `X-Velmora-Token: ${stopping.token}\r\nContent-Type: application/json\r\n` +
        'Content-Length: 2\r\nConnection: close\r\n\r\n');
      await new Promise((r) => setTimeout(r, 500));
      stopping.child.kill('SIGTERM');
      await new Promise((r) => setTimeout(r, 300));
      socket.write('{}');
    });
  });
  await stopping.stop();
  assert.match(answer, /^HTTP\/1\.1 200 /, answer.slice(0, 200));
  const length = Number(/content-length: (\d+)/i.exec(answer)[1]);
  const body = answer.slice(answer.indexOf('\r\n\r\n') + 4);
  assert.equal(Buffer.byteLength(body), length, answer);
  assert.equal(JSON.parse(body).wrote, target);
  rmSync(target, { force: true });
});
