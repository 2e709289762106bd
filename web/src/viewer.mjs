// Shows the one glTF model embedded in this page. The page is meant to be
// opened straight from disk, so it fetches nothing: the model is read from the
// page itself, and the scene is drawn only when something changes.
import { Color, NeutralToneMapping, Scene, WebGLRenderer } from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';
import { readEmbeddedModel } from './embedded-model.mjs';
import { createCameraRig } from './camera-rig.mjs';
import { showNamesOnHover } from './hover-names.mjs';
import { applyCheckMode } from './check-modes.mjs';

const BACKGROUND = 0xf0f1f3;

// ?check=shaded|backfaces|flat turns the page into a fixed picture for the
// render checks: no antialiasing, no interaction, a transparent background
// (so that coverage is the picture's alpha) and a ready flag to wait for.
const checkMode = new URLSearchParams(location.search).get('check');
const status = document.getElementById('status');
if (checkMode) document.documentElement.dataset.check = checkMode;

function setState(state, message = '') {
  document.documentElement.dataset.viewer = state;
  status.textContent = message;
  status.hidden = message === '';
}

// Faces are pushed back a little so that edges lying on them stay visible.
function keepEdgesInFront(model) {
  model.traverse((object) => {
    if (!object.isMesh) return;
    object.material.polygonOffset = true;
    object.material.polygonOffsetFactor = 1;
    object.material.polygonOffsetUnits = 1;
  });
}

async function main() {
  const renderer = new WebGLRenderer({ antialias: !checkMode, alpha: Boolean(checkMode), preserveDrawingBuffer: Boolean(checkMode) });
  renderer.setPixelRatio(checkMode ? 1 : window.devicePixelRatio);
  renderer.setSize(window.innerWidth, window.innerHeight);
  renderer.toneMapping = NeutralToneMapping;
  document.body.prepend(renderer.domElement);

  const gltf = await new GLTFLoader().parseAsync(readEmbeddedModel(), '');
  const model = gltf.scene;
  keepEdgesInFront(model);
  if (checkMode) applyCheckMode(checkMode, model);

  const rig = createCameraRig(renderer, model);
  const scene = new Scene();
  scene.background = checkMode ? null : new Color(BACKGROUND);
  scene.add(model, rig.lights, rig.camera);

  const render = () => renderer.render(scene, rig.camera);
  window.addEventListener('resize', () => {
    renderer.setSize(window.innerWidth, window.innerHeight);
    rig.resize();
    render();
  });

  render();
  if (checkMode) {
    requestAnimationFrame(() => setState('ready'));
    return;
  }
  rig.controls.addEventListener('change', render);
  showNamesOnHover(renderer.domElement, rig.camera, model, document.getElementById('tooltip'));
  setState('ready');
}

main().catch((error) => {
  setState('error', `Cannot show the model: ${error.message ?? error}`);
  console.error(error);
});
