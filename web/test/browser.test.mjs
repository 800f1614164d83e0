// The view in a real browser: Debian's Chromium, headless, WebGL through SwiftShader. VELMORA
// names the program, OBJECT an object whose first set (of its first surface) is far from its
// last set; screenshots go to ARTEFACTS.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { chromium } from 'playwright-core';
import { startView } from './view_process.mjs';

const velmora = process.env.VELMORA;
const artefacts = process.env.ARTEFACTS ?? join(tmpdir(), 'velmora-view-artefacts');
mkdirSync(artefacts, { recursive: true });
const folder = mkdtempSync(join(tmpdir(), 'velmora-browser-'));
const object = join(folder, basename(process.env.OBJECT));
copyFileSync(process.env.OBJECT, object);
const settingsFile = join(folder, 'saved.settings');

let view;
let context;
let page;
const consoleErrors = [];

before(async () => {
  view = await startView(velmora, [object, '--save-settings', settingsFile]);
  context = await chromium.launchPersistentContext(join(folder, 'profile'), {
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1000, height: 700 },
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  page = context.pages()[0] ?? await context.newPage();
  page.on('console', (message) => { if (message.type() === 'error') consoleErrors.push(message.text()); });
  page.on('pageerror', (error) => consoleErrors.push(error.message));
  await page.goto(view.address);
  await page.evaluate(() => window.velmoraView.ready);
});

after(async () => {
  await context?.close();
  await view?.stop();
  rmSync(folder, { recursive: true, force: true });
});

// The canvas's pixels as RGBA, read back from the drawing buffer.
async function pixels() {
  return page.evaluate(() => {
    const canvas = document.getElementById('view');
    const copy = document.createElement('canvas');
    copy.width = canvas.width;
    copy.height = canvas.height;
    const context2d = copy.getContext('2d');
    context2d.drawImage(canvas, 0, 0);
    const data = context2d.getImageData(0, 0, copy.width, copy.height).data;
    return { width: copy.width, height: copy.height, data: Array.from(data) };
  });
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

let object;
let chosen;  // { surface, set, index, far }

test('a click on a polygon picks its set', async () => {
  object = await page.evaluate(() => window.velmoraView.state.object);
  const surface = object.surfaces.find((s) => s.sets.length > 0);
  const set = surface.sets[0];
  const far = object.sets.length - 1;
  chosen = { surface: surface.name, set: set.name, index: set.set, far };
  // Another set first, so that the click has something to change.
  await page.selectOption('#set', surface.sets[surface.sets.length - 1].name);
  const regionMap = await regions(object);
  await mode('velmora');
  const { width } = await pixels();
  // A pixel well inside the set's region, by the set map.
  let target = -1;
  for (let i = 0; i < regionMap.length && target < 0; ++i) if (regionMap[i] === set.set) target = i;
  assert.ok(target >= 0, 'the set is not in view');
  const scale = await page.evaluate(() => window.devicePixelRatio);
  const box = await page.locator('#view').boundingBox();
  await page.mouse.click(box.x + (target % width) / scale + 1, box.y + Math.floor(target / width) / scale + 1);
  assert.equal(await page.inputValue('#surface'), surface.name);
  assert.equal(await page.inputValue('#set'), set.name);
});

test("moving a set's angle changes its pixels and not those of a far set; the difference is dark elsewhere", async () => {
  const regionMap = await regions(object);
  await mode('velmora', chosen.index);
  await page.uncheck('#same-set').catch(() => {});
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
  const parts = spawnSync(velmora, ['parts', object, '--settings', settingsFile], { encoding: 'utf8' });
  assert.equal(parts.status, 0, parts.stderr);
  assert.match(parts.stdout, new RegExp(`"${chosen.set}": \\d+ polygons?, smoothed at 0 degrees\\n`));
});

test('undo brings the angle back', async () => {
  await page.click('#undo');
  await page.waitForFunction(() => !window.velmoraView.state.sending && document.getElementById('angle').value === '80');
  assert.deepEqual(consoleErrors, []);
});
