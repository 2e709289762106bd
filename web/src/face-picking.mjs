// A click on the model (a press and release without dragging) names the face
// under the pointer: its part, its number within the part (the triangle
// primitive's extras list the faces as [face, first triangle, triangle
// count]) and its colour. A click on the background clears it.
import { namedNodeOf, partName } from './model-nodes.mjs';

const DRAG_PIXELS = 4;

// The face number of a triangle of a primitive, or undefined when the
// primitive lists no faces.
export function faceOfTriangle(faces, triangle) {
  return faces?.find(([, first, count]) => triangle >= first && triangle < first + count)?.[0];
}

function describe(panel, { part, face, colour }) {
  const swatch = document.createElement('span');
  swatch.className = 'swatch';
  swatch.style.background = colour;
  panel.replaceChildren(`${part || 'unnamed part'}  \u00b7  face ${face ?? '?'}  \u00b7`, swatch, colour);
  panel.hidden = false;
}

export function pickFacesOnClick(canvas, hitAt, gltf, panel, onPick) {
  let down = null;
  canvas.addEventListener('pointerdown', (event) => { down = event.button === 0 ? event : null; });
  canvas.addEventListener('pointerup', (event) => {
    if (!down || Math.hypot(event.clientX - down.clientX, event.clientY - down.clientY) > DRAG_PIXELS) return;
    down = null;
    const hit = hitAt(event.clientX, event.clientY);
    if (!hit) {
      panel.hidden = true;
      onPick(null);
      return;
    }
    const mesh = hit.object;
    const picked = {
      part: partName(gltf, mesh),
      face: faceOfTriangle(mesh.geometry.userData.faces, hit.faceIndex),
      colour: `#${(mesh.userData.ownMaterial ?? mesh.material).color.getHexString()}`,
    };
    describe(panel, picked);
    panel.dataset.face = picked.face ?? '';
    onPick(namedNodeOf(mesh));
  });
}
