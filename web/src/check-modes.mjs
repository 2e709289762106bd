// Pictures for the render checks.
//  backfaces: every single-sided mesh gets a second, unlit pass of its back
//    faces in pure magenta. Single-sided means closed solid, and the front
//    faces of a correctly wound closed solid hide all of its back faces, so
//    magenta shows where a solid is wound inside out or an open surface was
//    written single-sided.
//  flat: unlit base colours without edges, so that each material's colour
//    shows as exactly its sRGB value.
//  shaded: the page as a person sees it.
import { BackSide, FrontSide, LessDepth, Mesh, MeshBasicMaterial } from 'three';

// Strict depth test: where a back face ties with a front face, the face wins.
const marker = new MeshBasicMaterial({ color: 0xff00ff, side: BackSide, toneMapped: false, depthFunc: LessDepth });

function addBackFaceMarkers(model) {
  const singleSided = [];
  model.traverse((object) => {
    if (object.isLine) object.visible = false;
    if (!object.isMesh) return;
    // The faces' polygon offset varies with slope and would let back faces
    // through at silhouettes; without edges it is not needed.
    object.material.polygonOffset = false;
    if (object.material.side === FrontSide) singleSided.push(object);
  });
  for (const mesh of singleSided) mesh.add(new Mesh(mesh.geometry, marker));
}

function flatten(model) {
  model.traverse((object) => {
    if (object.isLine) object.visible = false;
    if (object.isMesh) {
      const { color, side } = object.material;
      object.material = new MeshBasicMaterial({ color, side, toneMapped: false });
    }
  });
}

export function applyCheckMode(mode, model) {
  if (mode === 'backfaces') addBackFaceMarkers(model);
  else if (mode === 'flat') flatten(model);
  else if (mode !== 'shaded') throw new Error(`unknown check mode "${mode}"`);
}
