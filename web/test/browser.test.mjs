// The view in a real browser: Debian's Chromium, headless, WebGL through SwiftShader. VELMORA
// names the program, OBJECT an object with two sets in view that share no point; screenshots go
// to ARTEFACTS.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { chromium } from 'playwright-core';
import { startView } from './view_process.mjs';

const velmora = process.env.VELMORA;
const artefacts = process.env.ARTEFACTS ?? join(tmpdir(), 'velmora-view-artefacts');
mkdirSync(artefacts, { recursive: true });
const folder = mkdtempSync(join(tmpdir(), 'velmora-browser-'));
const objectFile = join(folder, basename(process.env.OBJECT));
copyFileSync(process.env.OBJECT, objectFile);
const settingsFile = join(folder, 'saved.settings');

let view;
let context;
let page;
const consoleErrors = [];
// The answers to the page's own loading of its script and of the object.
let loaded;

before(async () => {
  view = await startView(velmora, [objectFile, '--save-settings', settingsFile]);
  context = await chromium.launchPersistentContext(join(folder, 'profile'), {
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    viewport: { width: 900, height: 600 },
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  page = context.pages()[0] ?? await context.newPage();
  page.on('console', (message) => { if (message.type() === 'error') consoleErrors.push(message.text()); });
  page.on('pageerror', (error) => consoleErrors.push(error.message));
  loaded = ['/view.js', '/api/object'].map((path) =>
    page.waitForResponse((response) => new URL(response.url()).pathname === path));
  await page.goto(view.address);
  await page.evaluate(() => window.velmoraView.ready);
});

after(async () => {
  await context?.close();
  await view?.stop();
  rmSync(folder, { recursive: true, force: true });
});

// The canvas's pixels as RGBA, read back from the drawing buffer and carried out as base64.
async function pixels() {
  const { width, height, base64 } = await page.evaluate(() => {
    const canvas = document.getElementById('view');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context2d = copy.getContext('2d');
    context2d.drawImage(canvas, 0, 0);
    const bytes = context2d.getImageData(0, 0, copy.width, copy.height).data;
    let binary = '';
    for (let at = 0; at < bytes.length; at += 0x8000)
      binary += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
    return { width: copy.width, height: copy.height, base64: btoa(binary) };
  });
  return { width, height, data: Buffer.from(base64, 'base64') };
}

async function mode(name, selectedSet = -1) {
  await page.evaluate(([name, selectedSet]) => {
    window.velmoraView.state.mesh.material.uniforms.selectedSet.value = selectedSet;
    window.velmoraView.setMode(name);
  }, [name, selectedSet]);
}

async function shot(name) {
  await page.screenshot({ path: join(artefacts, `${name}.png`) });
}

// Each pixel's set in the set map: the set whose colour's hue is nearest, or -1 for the
// background and for pixels near a border between regions.
async function regions(object) {
  await mode('sets');
  const { width, height, data } = await pixels();
  const hue = (r, g, b) => {
    const max = Math.max(r, g, b), min = Math.min(r, g, b);
    if (max - min < 12) return null;
    const d = max - min;
    const h = max === r ? (g - b) / d : max === g ? 2 + (b - r) / d : 4 + (r - g) / d;
    return ((h * 60) + 360) % 360;
  };
  const setHues = object.sets.map((s) => hue(...s.colour));
  const raw = new Int32Array(width * height).fill(-1);
  for (let i = 0; i < width * height; ++i) {
    const h = hue(data[4 * i], data[4 * i + 1], data[4 * i + 2]);
    if (h === null) continue;
    let best = -1, bestDistance = 20;
    setHues.forEach((sh, s) => {
      const distance = Math.min(Math.abs(h - sh), 360 - Math.abs(h - sh));
      if (distance < bestDistance) { bestDistance = distance; best = s; }
    });
    raw[i] = best;
  }
  const inner = new Int32Array(width * height).fill(-1);
  for (let y = 2; y < height - 2; ++y)
    for (let x = 2; x < width - 2; ++x) {
      const s = raw[y * width + x];
      let same = s >= 0;
      for (let dy = -2; dy <= 2 && same; ++dy)
        for (let dx = -2; dx <= 2 && same; ++dx) same = raw[(y + dy) * width + x + dx] === s;
      if (same) inner[y * width + x] = s;
    }
  return inner;
}

let object;
let chosen;  // { surface, set, index, far }

const changedAt = (a, b, i) => Math.max(...[0, 1, 2].map((k) => Math.abs(a.data[4 * i + k] - b.data[4 * i + k]))) > 6;

test('the page loads without a console error and draws the object', async () => {
  const { width, height, data } = await pixels();
  let drawn = 0;
  for (let i = 0; i < width * height; ++i)
    if (Math.abs(data[4 * i] - 29) + Math.abs(data[4 * i + 1] - 29) + Math.abs(data[4 * i + 2] - 31) > 12) ++drawn;
  await shot('view-velmora');
  assert.ok(drawn > width * height * 0.05, `only ${drawn} of ${width * height} pixels drawn`);
  assert.deepEqual(consoleErrors, []);
});

// The browser accepts brotli, which the server library would run at its slowest quality:
// many seconds for a large object, where the loopback carries the bytes themselves at once.
test('the page and the object come uncompressed though the browser accepts compression', async () => {
  for (const response of await Promise.all(loaded)) {
    assert.match((await response.request().allHeaders())['accept-encoding'], /\bbr\b/);
    assert.equal((await response.allHeaders())['content-encoding'], undefined, `${response.url()} came compressed`);
  }
});

// Two sets in view that share no point, the first of several polygons: a change of the first
// cannot reach the second.
async function farApart(object, regionMap) {
  const pointsOf = (set) => {
    const points = new Set();
    object.polygonSet.forEach((s, p) => {
      if (s !== set) return;
      for (let c = object.polygonStarts[p]; c < object.polygonStarts[p + 1]; ++c) points.add(object.corners[c]);
    });
    return points;
  };
  const visible = (set) => regionMap.filter((s) => s === set).length > 200;
  for (const surface of object.surfaces)
    for (const set of surface.sets) {
      if (set.polygons < 4 || !visible(set.set)) continue;
      const mine = pointsOf(set.set);
      for (let far = 0; far < object.sets.length; ++far) {
        if (far === set.set || !visible(far)) continue;
        if ([...pointsOf(far)].every((point) => !mine.has(point)))
          return { surface: surface.name, set: set.name, index: set.set, far };
      }
    }
  throw new Error('no two sets in view share no point');
}

test('a click on a polygon picks its set', async () => {
  object = await page.evaluate(() => window.velmoraView.state.object);
  const regionMap = await regions(object);
  chosen = await farApart(object, regionMap);
  const surface = object.surfaces.find((s) => s.name === chosen.surface);
  // Another set first, so that the click has something to change.
  await page.selectOption('#set', surface.sets.find((s) => s.name !== chosen.set).name);
  await mode('velmora');
  const { width } = await pixels();
  let target = -1;
  for (let i = 0; i < regionMap.length && target < 0; ++i) if (regionMap[i] === chosen.index) target = i;
  const scale = await page.evaluate(() => window.devicePixelRatio);
  const box = await page.locator('#view').boundingBox();
  await page.mouse.click(box.x + (target % width) / scale + 1, box.y + Math.floor(target / width) / scale + 1);
  assert.equal(await page.inputValue('#surface'), chosen.surface);
  assert.equal(await page.inputValue('#set'), chosen.set);
});

test("moving a set's angle changes its pixels and not those of a far set; the difference is dark elsewhere", async () => {
  const regionMap = await regions(object);
  // The far set keeps the host's smoothing, so that the difference view shows nothing there.
  const farSurface = object.surfaces.find((s) => s.sets.some((set) => set.set === chosen.far));
  const farName = farSurface.sets.find((set) => set.set === chosen.far).name;
  const settle = () => page.waitForFunction(() => !window.velmoraView.state.sending);
  await page.selectOption('#surface', farSurface.name);
  await page.selectOption('#set', farName);
  if (await page.isChecked('#enabled')) {
    await page.uncheck('#enabled');
    await settle();
  }
  await page.selectOption('#surface', chosen.surface);
  await page.selectOption('#set', chosen.set);
  await mode('velmora', chosen.index);
  if (!(await page.isChecked('#enabled'))) {
    await page.check('#enabled');
    await page.waitForFunction(() => !window.velmoraView.state.sending);
  }
  await page.fill('#angle', '80');
  await page.press('#angle', 'Enter');
  await page.waitForFunction(() => !window.velmoraView.state.sending);
  const before = await pixels();
  await page.fill('#angle', '0');
  await page.press('#angle', 'Enter');
  await page.waitForFunction(() => !window.velmoraView.state.sending);
  const milliseconds = await page.evaluate(() => window.velmoraView.state.lastEditMs);
  console.log(`angle change answered and drawn in ${milliseconds.toFixed(1)} ms`);
  const afterChange = await pixels();
  await shot('view-velmora-changed');
  let inSet = 0, inFar = 0, farPixels = 0;
  for (let i = 0; i < regionMap.length; ++i) {
    const changed = changedAt(before, afterChange, i);
    if (regionMap[i] === chosen.index && changed) ++inSet;
    if (regionMap[i] === chosen.far) { ++farPixels; if (changed) ++inFar; }
  }
  assert.ok(inSet > 20, `only ${inSet} pixels of the set changed`);
  assert.ok(farPixels > 20, 'the far set is not in view');
  assert.equal(inFar, 0, `${inFar} pixels of the far set changed`);

  await mode('difference', -1);
  const difference = await pixels();
  await shot('view-difference');
  const scaleZero = object.difference.colours[0];
  for (let i = 0; i < regionMap.length; ++i) {
    if (regionMap[i] !== chosen.far) continue;
    const off = Math.max(...[0, 1, 2].map((k) => Math.abs(difference.data[4 * i + k] - scaleZero[k])));
    assert.ok(off <= 6, `a far-set pixel is ${difference.data.slice(4 * i, 4 * i + 3)} in the difference view`);
  }
  await mode('sets', chosen.index);
  await shot('view-sets');
  await mode('velmora', chosen.index);
});

test('Save settings writes a file that `velmora parts --settings` reads back', async () => {
  await page.click('#save-settings');
  await page.waitForFunction(() => /wrote/.test(document.getElementById('status').textContent));
  const parts = spawnSync(velmora, ['parts', objectFile, '--settings', settingsFile], { encoding: 'utf8' });
  assert.equal(parts.status, 0, parts.stderr);
  assert.match(parts.stdout, new RegExp(`"${chosen.set}": \\d+ polygons?, smoothed at 0 degrees\\n`));
});

test('Apply stores the settings in an object beside the input, which `velmora parts` reads back', async () => {
  await page.click('#apply');
  await page.waitForFunction(() => /^Apply: wrote/.test(document.getElementById('status').textContent));
  const applied = objectFile.replace(/\.lwo$/, '.applied.lwo');
  // One short line that covers nothing, whatever the notes; the notes on demand.
  const name = applied.split('/').pop();
  assert.match(await page.textContent('#status'), new RegExp(`^Apply: wrote ${name}: settings of \\d+ polygon sets? on \\d+ surfaces?$`));
  assert.ok((await page.locator('footer').boundingBox()).height < 40);
  const parts = spawnSync(velmora, ['parts', applied], { encoding: 'utf8' });
  assert.equal(parts.status, 0, parts.stderr);
  assert.match(parts.stdout, new RegExp(`"${chosen.set}": \\d+ polygons?, smoothed at 0 degrees\\n`));
});

test('Export glb downloads the object as a glb named after it', async () => {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#export-glb')]);
  assert.equal(download.suggestedFilename(), `${basename(objectFile, '.lwo')}.glb`);
  const saved = join(folder, 'downloaded.glb');
  await download.saveAs(saved);
  const glb = readFileSync(saved);
  assert.equal(glb.toString('latin1', 0, 4), 'glTF');
  assert.equal(glb.readUInt32LE(8), glb.length);
  await page.waitForFunction(() => /^Export glb: downloaded/.test(document.getElementById('status').textContent));
});

test('undo brings the angle back', async () => {
  await page.click('#undo');
  await page.waitForFunction(() => !window.velmoraView.state.sending && document.getElementById('angle').value === '80');
  assert.deepEqual(consoleErrors, []);
});

test('an angle reads as it was typed, and undo gives back the angle before to the bit', async () => {
  await page.fill('#angle', '15');
  await page.press('#angle', 'Enter');
  await page.waitForFunction(() => !window.velmoraView.state.sending && document.getElementById('angle').value === '15');
  await page.click('#undo');
  await page.waitForFunction(() => !window.velmoraView.state.sending && document.getElementById('angle').value === '80');
});

test('set lists come sorted with their polygons, a filter narrows them, and the picked set stands out', async () => {
  assert.ok(!(await page.isVisible('#sets-from-box')), 'an object with sets of its own is offered others');
  const labels = await page.$$eval('#set option', (options) => options.map((o) => o.textContent));
  assert.ok(labels.every((label) => /\(\d[\d,]* polygons?\)$/.test(label)), labels.join(' | '));
  const names = await page.$$eval('#set option', (options) => options.map((o) => o.value));
  const collator = new Intl.Collator(undefined, { numeric: true, sensitivity: 'base' });
  assert.deepEqual(names, [...names].sort(collator.compare));

  await page.fill('#set-filter', chosen.set);
  await mode('sets', chosen.index);
  const shown = await page.$$eval('#legend .entry', (entries) => entries.filter((e) => e.offsetParent).map((e) => e.dataset.name));
  assert.ok(shown.length >= 1 && shown.every((name) => name.toLowerCase().includes(chosen.set.toLowerCase())), shown.join(' | '));
  await page.fill('#set-filter', '');

  const regionMap = await regions(object);
  const brightness = (image) => {
    let sum = 0, count = 0;
    regionMap.forEach((s, i) => { if (s === chosen.far) { sum += image.data[4 * i] + image.data[4 * i + 1] + image.data[4 * i + 2]; ++count; } });
    return sum / count;
  };
  const none = await pixels();
  await mode('sets', chosen.index);
  const picked = await pixels();
  assert.ok(brightness(picked) < 0.7 * brightness(none), `the other sets keep ${brightness(picked)} of ${brightness(none)}`);
  await mode('velmora', chosen.index);
});

test('an object without sets is offered sets from its shape in one pick, and undo takes them back', async () => {
  // A cylinder of sixteen sides with its caps, in no group: no polygon sets of its own.
  const rings = [0, 2].map((y) => Array.from({ length: 16 }, (_, i) =>
    `v ${Math.cos(Math.PI * i / 8).toFixed(5)} ${y} ${Math.sin(Math.PI * i / 8).toFixed(5)}`));
  const sides = Array.from({ length: 16 }, (_, i) => `f ${i + 1} ${(i + 1) % 16 + 1} ${(i + 1) % 16 + 17} ${i + 17}`);
  const caps = [`f ${Array.from({ length: 16 }, (_, i) => 16 - i).join(' ')}`, `f ${Array.from({ length: 16 }, (_, i) => i + 17).join(' ')}`];
  const plain = join(folder, 'plain.obj');
  writeFileSync(plain, [...rings.flat(), 'usemtl Metal', ...sides, ...caps, ''].join('\n'));
  const plainView = await startView(velmora, [plain]);
  const plainPage = await context.newPage();
  try {
    await plainPage.goto(plainView.address);
    await plainPage.evaluate(() => window.velmoraView.ready);
    assert.ok(await plainPage.isVisible('#no-sets'));
    const legendEntries = () => plainPage.$$eval('#legend .entry', (entries) => entries.length);
    assert.equal(await legendEntries(), 0);
    await plainPage.selectOption('#sets-from', 'shape');
    await plainPage.waitForFunction(() => document.querySelectorAll('#legend .entry').length > 0);
    assert.ok(!(await plainPage.isVisible('#no-sets')));
    assert.match(await plainPage.inputValue('#set'), /\(Metal\)$/);
    await plainPage.click('#undo');
    await plainPage.waitForFunction(() => document.querySelectorAll('#legend .entry').length === 0);
    assert.equal(await plainPage.inputValue('#sets-from'), '');
    await plainPage.click('#redo');
    await plainPage.waitForFunction(() => document.querySelectorAll('#legend .entry').length > 0);
  } finally {
    await plainPage.close();
    await plainView.stop();
  }
});

test('a closed room opens from within, and the wheel and W walk on through it', async () => {
  // A box of 10 by 4 by 10 whose six walls face inwards (each polygon's order reversed from a box's).
  const corners = [[-5, 0, -5], [5, 0, -5], [5, 0, 5], [-5, 0, 5], [-5, 4, -5], [5, 4, -5], [5, 4, 5], [-5, 4, 5]];
  const walls = [[1, 2, 3, 4], [8, 7, 6, 5], [1, 5, 6, 2], [2, 6, 7, 3], [3, 7, 8, 4], [4, 8, 5, 1]];
  const room = join(folder, 'room.obj');
  writeFileSync(room, [...corners.map((c) => `v ${c.join(' ')}`), ...walls.map((w) => `f ${[...w].reverse().join(' ')}`), ''].join('\n'));
  const roomView = await startView(velmora, [room]);
  const roomPage = await context.newPage();
  try {
    await roomPage.goto(roomView.address);
    await roomPage.evaluate(() => window.velmoraView.ready);
    const eye = () => roomPage.evaluate(() => window.velmoraView.camera.position.toArray());
    const start = await eye();
    assert.ok(Math.abs(start[0]) < 5 && start[1] > 0 && start[1] < 4 && Math.abs(start[2]) < 5, `the camera starts at ${start}`);
    await roomPage.mouse.move(300, 300);
    for (let i = 0; i < 20; ++i) await roomPage.mouse.wheel(0, -100);
    await roomPage.keyboard.press('w');
    const walked = await eye();
    assert.ok(Math.hypot(...walked.map((v, k) => v - start[k])) > 0.5, `the camera stayed at ${walked}`);
  } finally {
    await roomPage.close();
    await roomView.stop();
  }
});
