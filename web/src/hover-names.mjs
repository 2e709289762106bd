// Names the glTF node under the pointer. GLTFLoader keeps each node's own
// name in userData.name (object.name is sanitised), so the nearest ancestor
// of the hit mesh that has one is the node that placed it.
import { Raycaster, Vector2 } from 'three';

function nodeName(object) {
  for (let o = object; o; o = o.parent) if (o.userData.name) return o.userData.name;
  return '';
}

export function showNamesOnHover(canvas, camera, model, tooltip) {
  const raycaster = new Raycaster();
  const pointer = new Vector2();
  const meshes = [];
  model.traverse((object) => object.isMesh && meshes.push(object));
  let pending = null;

  function update() {
    const event = pending;
    pending = null;
    const rect = canvas.getBoundingClientRect();
    pointer.set(((event.clientX - rect.left) / rect.width) * 2 - 1, -((event.clientY - rect.top) / rect.height) * 2 + 1);
    raycaster.setFromCamera(pointer, camera);
    const name = event.buttons ? '' : nodeName(raycaster.intersectObjects(meshes, false)[0]?.object);
    tooltip.textContent = name;
    tooltip.hidden = name === '';
    tooltip.style.transform = `translate(${event.clientX + 14}px, ${event.clientY + 14}px)`;
  }

  canvas.addEventListener('pointermove', (event) => {
    if (pending === null) requestAnimationFrame(update);
    pending = event;
  });
  canvas.addEventListener('pointerleave', () => { tooltip.hidden = true; });
}
