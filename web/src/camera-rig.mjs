// A perspective camera that first looks at the model from a fixed corner (in
// glTF's +Y-up frame, from +X +Y +Z) and frames its bounding box, orbit
// controls around the box centre, and neutral light: a sky/ground fill plus a
// light that rides on the camera, so that the side in view is always lit.
// fit() frames another box from the current direction.
import { Box3, DirectionalLight, HemisphereLight, MathUtils, PerspectiveCamera, Vector3 } from 'three';
import { OrbitControls } from 'three/addons/controls/OrbitControls.js';

const VIEW_DIRECTION = new Vector3(1, 0.9, 1.3).normalize();
const FIELD_OF_VIEW = 35;
const MARGIN = 1.08;

function boxCorners(box) {
  const { min, max } = box;
  return [0, 1, 2, 3, 4, 5, 6, 7].map((i) =>
    new Vector3(i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z));
}

export function createCameraRig(renderer, model) {
  const modelBox = new Box3().setFromObject(model);
  if (modelBox.isEmpty()) modelBox.set(new Vector3(-1, -1, -1), new Vector3(1, 1, 1));
  const radius = Math.max(modelBox.getSize(new Vector3()).length() / 2, 1e-9);

  const camera = new PerspectiveCamera(FIELD_OF_VIEW);
  const headlight = new DirectionalLight(0xffffff, 2.4);
  headlight.position.set(0.5, 1, 1);
  camera.add(headlight);
  const lights = new HemisphereLight(0xffffff, 0x7a7c84, 1.8);
  const controls = new OrbitControls(camera, renderer.domElement);

  // The distance at which every box corner lies inside the view: a corner
  // offset v from the centre needs distance >= dot(v, dir) + |dot(v, right)|/tan(half width).
  function fittingDistance(box, center, direction) {
    const right = new Vector3().crossVectors(camera.up, direction);
    if (right.lengthSq() < 1e-12) right.set(1, 0, 0); // looking straight along the up axis
    right.normalize();
    const up = new Vector3().crossVectors(direction, right);
    const tanHalfHeight = Math.tan(MathUtils.degToRad(FIELD_OF_VIEW) / 2);
    const tanHalfWidth = tanHalfHeight * camera.aspect;
    return MARGIN * Math.max(...boxCorners(box).map((corner) => {
      const v = corner.sub(center);
      return v.dot(direction) + Math.max(Math.abs(v.dot(right)) / tanHalfWidth, Math.abs(v.dot(up)) / tanHalfHeight);
    }));
  }

  function resize() {
    const { width, height } = renderer.domElement.getBoundingClientRect();
    camera.aspect = width / height;
    camera.far = radius * 200;
    controls.minDistance = radius / 1000;
    controls.maxDistance = radius * 50;
    camera.updateProjectionMatrix();
  }

  // Frames the box (the whole model by default), looking from `direction`.
  function fit(box = modelBox, direction = camera.position.clone().sub(controls.target).normalize()) {
    if (box.isEmpty()) return;
    const center = box.getCenter(new Vector3());
    const distance = Math.max(fittingDistance(box, center, direction), radius / 500);
    controls.target.copy(center);
    camera.position.copy(center).addScaledVector(direction, distance);
    // A small part seen close needs the near plane closer than the whole model does.
    camera.near = Math.min(radius / 100, distance / 20);
    camera.updateProjectionMatrix();
    controls.update();
  }

  camera.near = radius / 100;
  resize();
  fit(modelBox, VIEW_DIRECTION);
  return { camera, controls, lights, resize, fit };
}
