// The page of `velmora view`: the object in three.js, shaded as the preview shades it, and the
// module's options dialog beside it. Every change goes to the program, which works it through
// the module's own dialog and answers the corners whose normals changed.
import * as THREE from 'three';
import { OrbitControls } from 'three/examples/jsm/controls/OrbitControls.js';
import { call, download } from './api.js';
import { EditHistory } from './history.js';
import { buildMesh, updateModuleNormals } from './mesh.js';
import { seenFromWithin, stepForward } from './framing.js';
import { Materials, Modes, makeMaterial } from './shading.js';

const $ = (id) => document.getElementById(id);
// One short sentence, its whole text on hover; notes behind a disclosure, closed.
const status = (text, notes = []) => {
  $('status').textContent = text;
  $('status').title = text;
  const details = $('notes');
  details.hidden = notes.length === 0;
  details.open = false;
  details.querySelector('summary').textContent = notes.length === 1 ? '1 note' : `${notes.length} notes`;
  details.querySelector('ul').replaceChildren(...notes.map((note) => {
    const item = document.createElement('li');
    item.textContent = note;
    return item;
  }));
};

const canvas = $('view');
const renderer = new THREE.WebGLRenderer({ canvas, antialias: true, preserveDrawingBuffer: true });
renderer.setPixelRatio(window.devicePixelRatio);
renderer.setClearColor(new THREE.Color().setRGB(0.11, 0.11, 0.12, THREE.SRGBColorSpace));
const scene = new THREE.Scene();
const camera = new THREE.PerspectiveCamera(35, 1, 0.01, 1000);
const controls = new OrbitControls(camera, canvas);
const history = new EditHistory();
const state = { object: null, mesh: null, built: null, selected: null, sending: null, queued: null, lastEditMs: null };

function draw() {
  const { clientWidth: width, clientHeight: height } = canvas;
  if (canvas.width !== Math.floor(width * renderer.getPixelRatio()) ||
      canvas.height !== Math.floor(height * renderer.getPixelRatio())) {
    renderer.setSize(width, height, false);
    camera.aspect = width / Math.max(1, height);
    camera.updateProjectionMatrix();
  }
  renderer.render(scene, camera);
}
controls.addEventListener('change', draw);
window.addEventListener('resize', draw);

function frame() {
  const sphere = state.mesh.geometry.boundingSphere.clone().applyMatrix4(state.mesh.matrixWorld);
  const distance = sphere.radius / Math.sin(THREE.MathUtils.degToRad(camera.fov / 2)) * 1.1;
  state.stride = sphere.radius / 20;
  if (seenFromWithin(state.mesh, sphere.center)) {
    // From the middle of the shell, looking along the scene's depth, as LightWave's camera
    // looks by default.
    camera.position.copy(sphere.center);
    controls.target.copy(sphere.center).add(new THREE.Vector3(0, 0, -state.stride));
  } else {
    // From above and to the left of the object's front, as `velmora render` looks by default.
    const direction = new THREE.Vector3(-0.6, 0.45, 1).normalize();
    controls.target.copy(sphere.center);
    camera.position.copy(sphere.center).addScaledVector(direction, distance);
  }
  camera.near = distance / 1000;
  camera.far = distance * 100;
  camera.updateProjectionMatrix();
  controls.update();
  draw();
}

// The wheel zooms towards the target, and once there steps on through the object with it; W and
// S (or the arrow keys) step forward and back.
canvas.addEventListener('wheel', (event) => {
  const close = camera.position.distanceTo(controls.target) < 2 * state.stride;
  if (event.deltaY < 0 && close) stepForward(camera, controls, state.stride);
}, { passive: true });

// --- views -----------------------------------------------------------------------------------
function setMode(mode) {
  state.mesh.material.uniforms.mode.value = Modes[mode];
  for (const button of document.querySelectorAll('[data-mode]'))
    button.classList.toggle('active', button.dataset.mode === mode);
  $('legend').hidden = mode !== 'sets';
  $('scale').hidden = mode !== 'difference';
  draw();
}

// --- set lists -------------------------------------------------------------------------------
// Sets are listed by kind, then by name as people count ("Round 2" before "Round 10"), each
// with its polygons, and narrowed by what the filter holds.
const byName = new Intl.Collator(undefined, { numeric: true, sensitivity: 'base' });
const kindOf = (index) => state.object.sets[index]?.proposed?.kind ?? '';
const inOrder = (a, b) => byName.compare(kindOf(a.set), kindOf(b.set)) || byName.compare(a.name, b.name);
const polygonsText = (count) => `${count.toLocaleString('en')} ${count === 1 ? 'polygon' : 'polygons'}`;
const passesFilter = (name, index) => {
  const filter = $('set-filter').value.trim().toLowerCase();
  return !filter || name.toLowerCase().includes(filter) || kindOf(index).toLowerCase().includes(filter);
};

// Each set of the object once, with its polygons over all its surfaces.
function objectSets(object) {
  const polygons = new Array(object.sets.length).fill(0);
  for (const surface of object.surfaces) for (const set of surface.sets) polygons[set.set] += set.polygons;
  return object.sets.map((set, index) => ({ ...set, set: index, polygons: polygons[index] }));
}

function showLegend(object) {
  $('legend').replaceChildren(...objectSets(object).sort(inOrder).map((set) => {
    const entry = document.createElement('div');
    entry.className = 'entry';
    entry.dataset.set = set.set;
    entry.dataset.name = set.name;
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    swatch.style.background = `rgb(${set.colour.join(',')})`;
    const count = document.createElement('span');
    count.className = 'count';
    count.textContent = set.polygons.toLocaleString('en');
    entry.append(swatch, set.name, count);
    if (set.proposed) {
      const kind = document.createElement('span');
      kind.className = 'kind';
      kind.textContent = set.proposed.kind;
      entry.append(kind);
      entry.title = `proposed: ${set.proposed.summary}`;
    }
    entry.addEventListener('click', () => selectByIndex(set.set));
    return entry;
  }));
  filterLegend();
  const colours = object.difference.colours.map((c) => `rgb(${c.join(',')})`);
  $('scale').innerHTML = `<div>Angle between the normals</div>
    <div class="bar" style="background: linear-gradient(to right, ${colours.join(',')})"></div>
    <div class="ticks"><span>0°</span><span>${object.difference.scaleDegrees}° and more</span></div>`;
}

// --- selection and the dialog's controls -----------------------------------------------------
function settingsOf(surfaceName, setName) {
  const surface = state.object.surfaces.find((s) => s.name === surfaceName);
  return surface?.sets.find((s) => s.name === setName);
}

function fillSurfaces() {
  const withSets = state.object.surfaces.filter((s) => s.sets.length > 0);
  $('surface').replaceChildren(...withSets.map((s) => new Option(s.name, s.name)));
}

function filterLegend() {
  for (const entry of $('legend').children)
    entry.hidden = !passesFilter(entry.dataset.name, Number(entry.dataset.set));
}

// The surface's sets that pass the filter, and the picked one whatever the filter says.
function fillSets(surface, setName) {
  const listed = surface.sets.filter((s) => s.name === setName || passesFilter(s.name, s.set)).sort(inOrder);
  $('set').replaceChildren(...listed.map((s) => new Option(`${s.name} (${polygonsText(s.polygons)})`, s.name)));
  $('set').value = setName;
}

function select(surfaceName, setName) {
  const surface = state.object.surfaces.find((s) => s.name === surfaceName);
  if (!surface || !surface.sets.some((s) => s.name === setName)) return;
  state.selected = { surface: surfaceName, set: setName };
  $('surface').value = surfaceName;
  fillSets(surface, setName);
  showSettings();
  const settings = settingsOf(surfaceName, setName);
  state.mesh.material.uniforms.selectedSet.value = settings.set;
  for (const entry of $('legend').children)
    entry.classList.toggle('selected', Number(entry.dataset.set) === settings.set);
  draw();
}

function selectByIndex(index) {
  for (const surface of state.object.surfaces)
    for (const set of surface.sets) if (set.set === index) return select(surface.name, set.name);
}

function showSettings() {
  const { surface, set } = state.selected;
  const settings = settingsOf(surface, set);
  const shader = state.object.surfaces.find((s) => s.name === surface).shader;
  $('enabled').checked = settings.enabled;
  const angle = settings.angle ?? 89.5;
  $('angle').value = angle;
  $('angle-slider').value = angle;
  $('same-set').checked = settings.sameSetOnly;
  // The dialog greys the angle and the same-set box while smoothing is off.
  for (const id of ['angle', 'angle-slider', 'same-set']) $(id).disabled = !settings.enabled;
  $('no-shader').hidden = shader;
  const proposed = state.object.sets[settings.set]?.proposed;
  $('proposed').hidden = !proposed;
  $('proposed').textContent = proposed ? `proposed: ${proposed.summary}` : '';
}

function currentSettings() {
  const settings = settingsOf(state.selected.surface, state.selected.set);
  return { enabled: settings.enabled, angle: settings.angle ?? 89.5, sameSetOnly: settings.sameSetOnly };
}

function pickAt(event) {
  const rect = canvas.getBoundingClientRect();
  const pointer = new THREE.Vector2(
    ((event.clientX - rect.left) / rect.width) * 2 - 1,
    -((event.clientY - rect.top) / rect.height) * 2 + 1);
  const raycaster = new THREE.Raycaster();
  raycaster.setFromCamera(pointer, camera);
  const hit = raycaster.intersectObject(state.mesh)[0];
  if (!hit) return;
  const polygon = state.built.trianglePolygon[hit.faceIndex];
  const surface = state.object.surfaces[state.object.polygonSurface[polygon]];
  const setIndex = state.object.polygonSet[polygon];
  const set = surface?.sets.find((s) => s.set === setIndex);
  if (set) select(surface.name, set.name);
}

// A click picks; a drag turns the view.
let pressedAt = null;
canvas.addEventListener('pointerdown', (event) => { pressedAt = [event.clientX, event.clientY]; });
canvas.addEventListener('pointerup', (event) => {
  if (pressedAt && Math.hypot(event.clientX - pressedAt[0], event.clientY - pressedAt[1]) < 4) pickAt(event);
  pressedAt = null;
});

// --- edits -----------------------------------------------------------------------------------
// One request at a time; while one is under way only the latest change waits, so that a
// slider dragged fast sends what the user ends on.
async function send(edit) {
  if (state.sending) { state.queued = edit; return state.sending; }
  const started = performance.now();
  state.sending = (async () => {
    try {
      const answer = await call('/api/set', edit);
      updateModuleNormals(state.mesh.geometry, state.built.cornerVertices, answer.corners, answer.normals);
      const surface = state.object.surfaces.find((s) => s.name === edit.surface);
      surface.shader = true;
      Object.assign(settingsOf(edit.surface, edit.set), answer.settings);
      if (state.selected?.surface === edit.surface && state.selected?.set === edit.set) showSettings();
      draw();
      state.lastEditMs = performance.now() - started;
      status(`"${edit.set}": ${answer.corners.length} corners changed in ${state.lastEditMs.toFixed(0)} ms`);
    } catch (error) {
      status(`velmora: ${error.message}`);
    }
  })();
  await state.sending;
  state.sending = null;
  if (state.queued) { const next = state.queued; state.queued = null; await send(next); }
}

function change(after, { record = true, before = currentSettings() } = {}) {
  const { surface, set } = state.selected;
  if (record) history.record({ surface, set, before, after });
  updateHistoryButtons();
  return send({ surface, set, ...after });
}

function updateHistoryButtons() {
  $('undo').disabled = !history.canUndo();
  $('redo').disabled = !history.canRedo();
}

async function travel(edit) {
  if (!edit) return;
  updateHistoryButtons();
  if ('setsFrom' in edit) return makeSetsFrom(edit.setsFrom);
  select(edit.surface, edit.set);
  await send(edit);
}

// --- the object's sets made anew --------------------------------------------------------------
const sourceNames = {
  '': 'none, as opened', shape: 'proposed from its shape', normals: 'proposed from its normals',
  surfaces: 'one per surface', 'smoothing-groups': 'one per smoothing group',
};

function showSetSources(object) {
  const offered = object.setSources ?? [];
  $('sets-from-box').hidden = offered.length === 0;
  $('sets-from').replaceChildren(...offered.map((source) => new Option(sourceNames[source] ?? source, source)));
  $('sets-from').value = object.setsFrom ?? '';
  $('no-sets').hidden = object.sets.length > 0;
}

// Opens the object again with sets made of `source`; the view stays where it looks.
async function makeSetsFrom(source, { record = false } = {}) {
  const before = state.object.setsFrom;
  try {
    await state.sending;
    const object = await call('/api/sets-from', { from: source });
    if (record) history.record({ setsFrom: { before, after: source } });
    updateHistoryButtons();
    show(object);
    status(object.sets.length ? `polygon sets ${sourceNames[source]}: ${object.sets.length}` : 'no polygon sets, as opened');
  } catch (error) {
    $('sets-from').value = before;
    status(`velmora: ${error.message}`);
  }
}
$('sets-from').addEventListener('change', () => makeSetsFrom($('sets-from').value, { record: true }));

// A slider drag is one step of the history: what it started from, to where it ended.
let dragFrom = null;
$('angle-slider').addEventListener('input', () => {
  dragFrom ??= currentSettings();
  $('angle').value = $('angle-slider').value;
  change({ ...currentSettings(), angle: Number($('angle-slider').value) }, { record: false });
});
$('angle-slider').addEventListener('change', () => {
  const before = dragFrom ?? currentSettings();
  dragFrom = null;
  change({ ...before, angle: Number($('angle-slider').value) }, { before });
});
$('angle').addEventListener('change', () => {
  const angle = Number($('angle').value);
  if (!(angle >= 0 && angle <= 360)) return showSettings();
  change({ ...currentSettings(), angle });
});
$('enabled').addEventListener('change', () => change({ ...currentSettings(), enabled: $('enabled').checked }));
$('same-set').addEventListener('change', () => change({ ...currentSettings(), sameSetOnly: $('same-set').checked }));
$('surface').addEventListener('change', () => {
  const surface = state.object.surfaces.find((s) => s.name === $('surface').value);
  const sorted = [...surface.sets].sort(inOrder);
  select(surface.name, (sorted.find((s) => passesFilter(s.name, s.set)) ?? sorted[0]).name);
});
$('set-filter').addEventListener('input', () => {
  filterLegend();
  const surface = state.object.surfaces.find((s) => s.name === state.selected.surface);
  fillSets(surface, state.selected.set);
});
$('set').addEventListener('change', () => select(state.selected.surface, $('set').value));
$('undo').addEventListener('click', () => travel(history.undo()));
$('redo').addEventListener('click', () => travel(history.redo()));
$('frame').addEventListener('click', frame);
$('material').addEventListener('change', () => {
  state.mesh.material.uniforms.material.value = Materials[$('material').value];
  draw();
});
for (const button of document.querySelectorAll('[data-mode]'))
  button.addEventListener('click', () => setMode(button.dataset.mode));
window.addEventListener('keydown', (event) => {
  if (event.target instanceof HTMLInputElement || event.target instanceof HTMLSelectElement) return;
  const key = event.key.toLowerCase();
  if ((event.ctrlKey || event.metaKey) && key === 'z') travel(event.shiftKey ? history.redo() : history.undo());
  else if ((event.ctrlKey || event.metaKey) && key === 'y') travel(history.redo());
  else if (key === 'f') frame();
  else if (key === 'w' || key === 'arrowup') stepForward(camera, controls, state.stride);
  else if (key === 's' || key === 'arrowdown') stepForward(camera, controls, -state.stride);
});

async function write(path, what) {
  try {
    const answer = await call(path, {});
    status(`${what}: ${answer.summary}`, answer.notes);
  } catch (error) {
    status(`velmora: ${what}: ${error.message}`);
  }
}
$('save-settings').addEventListener('click', () => write('/api/save-settings', 'Save settings'));
$('apply').addEventListener('click', () => write('/api/apply', 'Apply'));
$('export-glb').addEventListener('click', async () => {
  try {
    status(`Export glb: downloaded ${await download('/api/export-glb')}`);
  } catch (error) {
    status(`velmora: Export glb: ${error.message}`);
  }
});

// --- start -----------------------------------------------------------------------------------
// Shows the object, in place of the one shown before if any.
function show(object) {
  const first = !state.mesh;
  if (state.mesh) {
    scene.remove(state.mesh);
    state.mesh.geometry.dispose();
    state.mesh.material.dispose();
  }
  state.object = object;
  $('object-name').textContent = object.name;
  document.title = `${object.name.split('/').pop()} – velmora view`;
  $('save-settings').title = object.saveSettingsTo ? `Writes ${object.saveSettingsTo}` : '';
  $('apply').disabled = !object.applyTo;
  $('apply').title = object.applyTo ? `Stores the settings in ${object.applyTo}, as velmora apply does` : '';
  state.built = buildMesh(object);
  state.mesh = new THREE.Mesh(state.built.geometry, makeMaterial(object.difference));
  // The points and normals are LightWave's, in a left-handed frame: mirrored in z, they stand in
  // three.js's right-handed one as LightWave shows them, their lettering readable.
  state.mesh.scale.z = -1;
  state.mesh.updateMatrixWorld();
  scene.add(state.mesh);
  showLegend(object);
  showSetSources(object);
  fillSurfaces();
  const withSets = object.surfaces.find((s) => s.sets.length > 0);
  // Without sets the dialog has nothing to show, as the module's shows "(none)".
  for (const id of ['surface', 'set', 'set-filter', 'enabled', 'angle', 'angle-slider', 'same-set'])
    $(id).disabled = !withSets;
  if (!withSets) {
    state.selected = null;
    $('set').replaceChildren();
    $('angle').value = '';
  }
  setMode(first ? 'velmora' : document.querySelector('[data-mode].active').dataset.mode);
  if (first) frame();
  if (withSets) select(withSets.name, [...withSets.sets].sort(inOrder)[0].name);
}

async function start() {
  show(await call('/api/object'));
}

// What scripts and the browser tests read: where a polygon shows on the canvas, and the state.
window.velmoraView = {
  ready: start().then(() => true, (error) => { status(`velmora: ${error.message}`); throw error; }),
  state,
  camera,
  setMode,
  polygonOnScreen(polygon) {
    const { points, corners, polygonStarts } = state.object;
    const centre = new THREE.Vector3();
    const n = polygonStarts[polygon + 1] - polygonStarts[polygon];
    for (let c = polygonStarts[polygon]; c < polygonStarts[polygon + 1]; ++c)
      centre.add(new THREE.Vector3().fromArray(points, 3 * corners[c]));
    centre.divideScalar(n).project(camera);
    const rect = canvas.getBoundingClientRect();
    return { x: rect.left + (centre.x + 1) / 2 * rect.width, y: rect.top + (1 - centre.y) / 2 * rect.height };
  },
};
