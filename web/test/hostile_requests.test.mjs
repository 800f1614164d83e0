// The view's server under hostile requests: bad tokens, foreign Host and Origin, paths that try
// to leave the page's files, huge headers and bodies, malformed HTTP and JSON, slow clients and
// a thousand requests at once. After each the server still answers, and the object's file is
// unchanged. VELMORA names the program, OBJECT the object to view (copied first).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { connect } from 'node:net';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { spawnSync } from 'node:child_process';
import { startView } from './view_process.mjs';

const velmora = process.env.VELMORA;
const folder = mkdtempSync(join(tmpdir(), 'velmora-hostile-'));
const object = join(folder, basename(process.env.OBJECT));
copyFileSync(process.env.OBJECT, object);
const digest = () => createHash('sha256').update(readFileSync(object)).digest('hex');
const original = digest();
let view;

const started = [];
before(async () => { view = await startView(velmora, [object]); started.push(view); });
after(() => {
  for (const running of started) running.child.kill('SIGKILL');
  rmSync(folder, { recursive: true, force: true });
});

// One raw exchange: what is sent, as bytes, and everything the server answers until it closes
// or `patience` runs out.
function exchange(text, { patience = 5000, pace } = {}) {
  return new Promise((resolve) => {
    const socket = connect(view.port, '127.0.0.1');
    let answer = '';
    const finish = () => { clearTimeout(timer); socket.destroy(); resolve(answer); };
    const timer = setTimeout(finish, patience);
    socket.on('data', (data) => { answer += data; if (/\r\n\r\n/.test(answer) && complete(answer)) finish(); });
    socket.on('error', finish);
    socket.on('close', finish);
    socket.on('connect', async () => {
      if (!pace) return socket.write(text);
      for (const c of text) {
        if (socket.destroyed) return;
        socket.write(c);
        await new Promise((r) => setTimeout(r, pace));
      }
    });
  });
}

function complete(answer) {
  const length = /content-length: (\d+)/i.exec(answer);
  if (!length) return false;
  return Buffer.byteLength(answer.slice(answer.indexOf('\r\n\r\n') + 4)) >= Number(length[1]);
}

const status = (answer) => Number(/^HTTP\/1\.1 (\d+)/.exec(answer)?.[1] ?? 0);
const body = (answer) => answer.slice(answer.indexOf('\r\n\r\n') + 4);
const host = () => `127.0.0.1:${view.port}`;

function request(method, path, { headers = {}, content } = {}) {
  const lines = [`${method} ${path} HTTP/1.1`, `Host: ${host()}`, 'Connection: close'];
  for (const [name, value] of Object.entries(headers)) lines.push(`${name}: ${value}`);
  if (content !== undefined) lines.push(`Content-Length: ${Buffer.byteLength(content)}`);
  return lines.join('\r\n') + '\r\n\r\n' + (content ?? '');
}

async function expectJsonRefusal(text, expected) {
  const answer = await exchange(text);
  assert.equal(status(answer), expected, answer.slice(0, 300));
  assert.ok(typeof JSON.parse(body(answer)).error === 'string', body(answer));
}

async function stillServes() {
  const answer = await exchange(request('GET', `/api/object?token=${view.token}`), { patience: 20000 });
  assert.equal(status(answer), 200, answer.slice(0, 200));
  assert.ok(JSON.parse(body(answer)).polygonStarts.length > 1);
  assert.equal(digest(), original, 'the object file changed');
}

test('the address names the loopback port and a token of at least 128 bits', () => {
  assert.ok(view.token.length * 6 >= 128);
});

test('API calls without the right token are refused', async () => {
  await expectJsonRefusal(request('GET', '/api/object'), 403);
  await expectJsonRefusal(request('GET', '/api/object?token=wrong'), 403);
  await expectJsonRefusal(request('GET', `/api/object?token=${view.token.slice(1)}`), 403);
  await expectJsonRefusal(request('GET', '/api/object', { headers: { 'X-Velmora-Token': view.token + 'x' } }), 403);
  await expectJsonRefusal(request('POST', '/api/set', { content: '{"surface":"Box","set":"Lid","angle":1}' }), 403);
  await expectJsonRefusal(request('POST', '/api/save-settings', { content: '{}' }), 403);
  await expectJsonRefusal(request('POST', '/api/apply', { content: '{}' }), 403);
  await expectJsonRefusal(request('POST', '/api/export-glb', { content: '{}', headers: { 'X-Velmora-Token': 'wrong' } }), 403);
  await stillServes();
});

test('a foreign Host or Origin is refused, token or not', async () => {
  for (const badHost of ['evil.example', `evil.example:${view.port}`, `127.0.0.1:${view.port + 1}`]) {
    const text = `GET /api/object?token=${view.token} HTTP/1.1\r\nHost: ${badHost}\r\nConnection: close\r\n\r\n`;
    await expectJsonRefusal(text, 403);
  }
  await expectJsonRefusal(request('GET', '/', { headers: { Origin: 'http://evil.example' } }), 403);
  await expectJsonRefusal(request('GET', `/api/object?token=${view.token}`, { headers: { Origin: 'null' } }), 403);
  await expectJsonRefusal(`GET / HTTP/1.1\r\nConnection: close\r\n\r\n`, 403);
  await stillServes();
});

// A client that accepts compression gets every answer as it is, our refusals with their own
// words: compressing a large object would cost far more than the loopback saves.
test('no answer is compressed, and a refusal keeps its reason', async () => {
  const headers = { 'Accept-Encoding': 'gzip, deflate, br, zstd' };
  for (const path of ['/', '/view.js', `/api/object?token=${view.token}`, '/api/object', '/nowhere']) {
    const answer = await exchange(request('GET', path, { headers }), { patience: 20000 });
    assert.doesNotMatch(answer.slice(0, answer.indexOf('\r\n\r\n')), /content-encoding/i, path);
  }
  const refused = await exchange(request('GET', '/api/object', { headers }));
  assert.equal(JSON.parse(body(refused)).error, 'the token is missing or wrong');
});

test('no request path reaches the file system', async () => {
  for (const path of ['/../../../../etc/passwd', '/%2e%2e/%2e%2e/%2e%2e/etc/passwd', '/view.js/../../etc/passwd',
    '//etc/passwd', '/..%2f..%2f..%2fetc%2fpasswd', `/${basename(object)}`, '/index.html', '/CMakeLists.txt']) {
    const answer = await exchange(request('GET', `${path}?token=${view.token}`));
    assert.ok(status(answer) === 404 || status(answer) === 400, `${path}: ${answer.slice(0, 100)}`);
    assert.ok(!answer.includes('root:'), path);
  }
  await stillServes();
});

test('huge headers, huge bodies, malformed HTTP and malformed JSON get a 4xx', async () => {
  const huge = 'a'.repeat(100000);
  assert.ok([400, 413, 414, 431].includes(status(await exchange(request('GET', '/', { headers: { 'X-Huge': huge } })))));
  assert.ok([400, 413, 414].includes(status(await exchange(request('GET', `/?${huge}`)))));
  assert.ok([0, 400].includes(status(await exchange('GARBAGE\r\n\r\n'))));
  assert.ok([0, 400].includes(status(await exchange('GET / HTTP/9.9\r\n\r\n'))));
  // Header lines past the limit on their number, or a flood of them: refused however many
  // follow, or the connection is cut, and the server keeps none of them.
  const head = `GET / HTTP/1.1\r\nHost: ${host()}\r\n`;
  assert.equal(status(await exchange(head + 'X-A: b\r\n'.repeat(100) + '\r\n')), 431);
  const kilobytes = () => Number(/VmRSS:\s*(\d+)/.exec(readFileSync(`/proc/${view.child.pid}/status`, 'utf8'))[1]);
  const before = kilobytes();
  const flood = head + `X-A: ${'b'.repeat(993)}\r\n`.repeat(20000) + '\r\n';
  assert.ok([0, 431].includes(status(await exchange(flood))));
  assert.ok(kilobytes() - before < 8000, `${kilobytes() - before} kB more after 20 MB of header lines`);
  const headers = { 'X-Velmora-Token': view.token };
  await expectJsonRefusal(request('POST', '/api/set', { headers, content: '{"surface":'.padEnd(2 << 20, ' ') }), 413);
  // Refused on its headers, before a byte of the body is read (a client still sending meets a
  // closed connection).
  await expectJsonRefusal(request('POST', '/api/set', { headers: { ...headers, 'Transfer-Encoding': 'chunked' } }), 411);
  for (const content of ['{', '[]', '{"surface":"Box"}', '{"surface":"Box","set":"Lid","angle":"wide"}', '['.repeat(200000)])
    await expectJsonRefusal(request('POST', '/api/set', { headers, content }), 400);
  const unknown = await exchange(request('POST', '/api/set', { headers, content: '{"surface":"Default","set":"Handle"}' }));
  assert.equal(status(unknown), 404);
  assert.match(JSON.parse(body(unknown)).error, /"band0", "band2"/);
  await stillServes();
});

test('slow clients without the token never keep out one with it, and a slow head is cut off', async () => {
  // Twenty clients, more than the server has workers, each trickling a request that would take
  // twelve seconds: each is refused once its head has taken three.
  const slow = Array.from({ length: 20 }, () => exchange(request('GET', '/'), { pace: 250, patience: 4500 }));
  await new Promise((r) => setTimeout(r, 500));
  const asked = Date.now();
  await stillServes();
  assert.ok(Date.now() - asked < 1500, 'a request with the token waited for the slow ones');
  for (const answer of await Promise.all(slow)) assert.equal(status(answer), 408, answer.slice(0, 100));
  await stillServes();
});

test('a thousand requests at once', async () => {
  const answers = await Promise.all(Array.from({ length: 1000 }, (_, i) =>
    exchange(request('GET', i % 2 ? '/' : `/api/object?token=bad${i}`), { patience: 10000 })));
  const served = answers.filter((a) => status(a) === 200 || status(a) === 403).length;
  assert.ok(served > 0, 'none of the thousand was answered');
  await stillServes();
});

test('nothing was written beside the object, and SIGTERM ends the view within a second', async () => {
  assert.deepEqual(readdirSync(folder), [basename(object)]);
  const [code, milliseconds] = await view.stop('SIGTERM');
  assert.equal(code, 0, view.stderr());
  assert.ok(milliseconds < 1000, `${milliseconds} ms`);
  assert.equal(digest(), original);
});

test('a port that is taken: exit 1 naming it', async () => {
  const first = await startView(velmora, [object, '--port', '0']);
  started.push(first);
  const second = spawnSync(velmora, ['view', object, '--port', String(first.port)], { encoding: 'utf8', timeout: 60000 });
  assert.equal(second.status, 1);
  assert.match(second.stderr, new RegExp(`^velmora: error: .*127\\.0\\.0\\.1:${first.port}`));
  const [code] = await first.stop('SIGINT');
  assert.equal(code, 0);
});

// The opener's command line, which every local user can read, names a page only its owner can
// read, which sends the browser on; never the address with its token.
test('--open passes no token on the opener\'s command line', async () => {
  const bin = join(folder, 'bin');
  mkdirSync(bin);
  const opened = join(folder, 'opened.txt');
  writeFileSync(join(bin, 'xdg-open'), `#!/bin/sh\nprintf '%s\\n' "$@" > ${opened}.part\n` +
    `stat -c %a "\${1#file://}" >> ${opened}.part\ncat "\${1#file://}" >> ${opened}.part\nmv ${opened}.part ${opened}\n`,
  { mode: 0o755 });
  const env = { ...process.env, PATH: `${bin}:${process.env.PATH}`, DISPLAY: ':0' };
  const opening = await startView(velmora, [object, '--open'], env);
  started.push(opening);
  for (let wait = 0; wait < 100 && !existsSync(opened); ++wait) await new Promise((r) => setTimeout(r, 100));
  const [argument, mode, ...page] = readFileSync(opened, 'utf8').split('\n');
  assert.match(argument, /^file:\/\/.*\/open\.html$/);
  assert.ok(!argument.includes(opening.token));
  assert.equal(mode, '600');
  assert.ok(page.join('\n').includes(opening.address));
});
