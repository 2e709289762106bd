// A perspective camera that looks at the model from a fixed corner (in glTF's
// +Y-up frame, from +X +Y +Z) and frames its bounding box, orbit controls
// around the box centre, and neutral light: a sky/ground fill plus a light
// that rides on the camera, so that the side in view is always lit.
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
  const box = new Box3().setFromObject(model);
  if (box.isEmpty()) box.set(new Vector3(-1, -1, -1), new Vector3(1, 1, 1));
  const center = box.getCenter(new Vector3());
  const radius = Math.max(box.getSize(new Vector3()).length() / 2, 1e-9);

  const camera = new PerspectiveCamera(FIELD_OF_VIEW);
  const headlight = new DirectionalLight(0xffffff, 2.4);
  headlight.position.set(0.5, 1, 1);
  camera.add(headlight);
  const lights = new HemisphereLight(0xffffff, 0x7a7c84, 1.8);

  const controls = new OrbitControls(camera, renderer.domElement);
  controls.target.copy(center);
  const right = new Vector3().crossVectors(new Vector3(0, 1, 0), VIEW_DIRECTION).normalize();
  const up = new Vector3().crossVectors(VIEW_DIRECTION, right);

  // The distance at which every box corner lies inside the view: a corner
  // offset v from the centre needs distance >= dot(v, dir) + |dot(v, right)|/tan(half width).
  function fittingDistance() {
    const tanHalfHeight = Math.tan(MathUtils.degToRad(FIELD_OF_VIEW) / 2);
    const tanHalfWidth = tanHalfHeight * camera.aspect;
    return MARGIN * Math.max(...boxCorners(box).map((corner) => {
      const v = corner.sub(center);
      return v.dot(VIEW_DIRECTION) + Math.max(Math.abs(v.dot(right)) / tanHalfWidth, Math.abs(v.dot(up)) / tanHalfHeight);
    }));
  }

  function resize() {
    const { width, height } = renderer.domElement.getBoundingClientRect();
    camera.aspect = width / height;
    camera.near = radius / 100;
    camera.far = radius * 200;
    controls.minDistance = radius / 20;
    controls.maxDistance = radius * 50;
    camera.updateProjectionMatrix();
  }

  resize();
  camera.position.copy(center).addScaledVector(VIEW_DIRECTION, fittingDistance());
  controls.update();
  return { camera, controls, lights, resize };
}
