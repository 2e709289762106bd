// What lies under a point of the canvas: the nearest hit on a triangle mesh
// that is shown (hidden uses are not picked), or undefined.
import { Raycaster, Vector2 } from 'three';
import { isShown } from './model-nodes.mjs';

export function createPicker(canvas, camera, model) {
  const raycaster = new Raycaster();
  const pointer = new Vector2();
  const meshes = [];
  model.traverse((object) => object.isMesh && meshes.push(object));
  return function hitAt(clientX, clientY) {
    const rect = canvas.getBoundingClientRect();
    pointer.set(((clientX - rect.left) / rect.width) * 2 - 1, -((clientY - rect.top) / rect.height) * 2 + 1);
    raycaster.setFromCamera(pointer, camera);
    return raycaster.intersectObjects(meshes, false).find((hit) => isShown(hit.object));
  };
}
