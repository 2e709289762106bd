// Shows the one glTF model embedded in this page. The page is meant to be
// opened straight from disk, so it fetches nothing: the model is read from the
// page itself, and the scene is drawn only when something changes, once per
// frame at most.
import { Box3, Color, NeutralToneMapping, Scene, Vector2, WebGLRenderer } from 'three';
import { GLTFLoader } from 'three/addons/loaders/GLTFLoader.js';
import { readEmbeddedModel } from './embedded-model.mjs';
import { createCameraRig } from './camera-rig.mjs';
import { applyCheckMode } from './check-modes.mjs';
import { pickFacesOnClick } from './face-picking.mjs';
import { createHighlighter } from './highlight.mjs';
import { showNamesOnHover } from './hover-names.mjs';
import { isShown, nodeTree } from './model-nodes.mjs';
import { createModelTree } from './model-tree.mjs';
import { createPicker } from './picking.mjs';

const BACKGROUND = 0xf0f1f3;

// ?check=shaded|backfaces|flat turns the page into a fixed picture for the
// render checks: no antialiasing, no interaction with the view, no panel, a
// transparent background (so that coverage is the picture's alpha) and a
// ready flag to wait for.
const checkMode = new URLSearchParams(location.search).get('check');
const status = document.getElementById('status');
if (checkMode) document.documentElement.dataset.check = checkMode;

function setState(state, message = '') {
  if (state === 'ready') performance.mark('korrgeom-ready');
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

// The box of the shown meshes, or of the whole model when none is shown.
function shownBox(model) {
  const box = new Box3();
  model.traverse((object) => object.isMesh && isShown(object) && box.expandByObject(object, false));
  return box.isEmpty() ? new Box3().setFromObject(model) : box;
}

async function main() {
  const view = document.getElementById('view');
  const renderer = new WebGLRenderer({ antialias: !checkMode, alpha: Boolean(checkMode), preserveDrawingBuffer: Boolean(checkMode) });
  renderer.setPixelRatio(checkMode ? 1 : window.devicePixelRatio);
  renderer.setSize(view.clientWidth, view.clientHeight);
  renderer.toneMapping = NeutralToneMapping;
  view.prepend(renderer.domElement);

  const gltf = await new GLTFLoader().parseAsync(readEmbeddedModel(), '');
  const model = gltf.scene;
  keepEdgesInFront(model);
  if (checkMode) applyCheckMode(checkMode, model);

  const rig = createCameraRig(renderer, model);
  const scene = new Scene();
  scene.background = checkMode ? null : new Color(BACKGROUND);
  scene.add(model, rig.lights, rig.camera);

  let frameRequested = false;
  const requestRender = () => {
    if (frameRequested) return;
    frameRequested = true;
    requestAnimationFrame(() => {
      frameRequested = false;
      renderer.render(scene, rig.camera);
    });
  };
  // Setting a canvas's size clears it, even to the size it has.
  new ResizeObserver(() => {
    const size = renderer.getSize(new Vector2());
    if (size.x === view.clientWidth && size.y === view.clientHeight) return;
    renderer.setSize(view.clientWidth, view.clientHeight);
    rig.resize();
    requestRender();
  }).observe(view);

  // The tree is built in the check modes too, so that a check can hide a use.
  const highlight = createHighlighter();
  const tree = createModelTree(document.getElementById('tree'), document.getElementById('search'), nodeTree(gltf), {
    highlight,
    fit: (object) => {
      rig.fit(new Box3().setFromObject(object));
      requestRender();
    },
    changed: requestRender,
  });

  renderer.render(scene, rig.camera);
  if (checkMode) {
    requestAnimationFrame(() => setState('ready'));
    return;
  }
  rig.controls.addEventListener('change', requestRender);
  document.getElementById('fit-all').addEventListener('click', () => {
    rig.fit(shownBox(model));
    requestRender();
  });
  const hitAt = createPicker(renderer.domElement, rig.camera, model);
  showNamesOnHover(renderer.domElement, hitAt, document.getElementById('tooltip'));
  pickFacesOnClick(renderer.domElement, hitAt, gltf, document.getElementById('picked'), tree.reveal);
  setState('ready');
}

main().catch((error) => {
  setState('error', `Cannot show the model: ${error.message ?? error}`);
  console.error(error);
});
