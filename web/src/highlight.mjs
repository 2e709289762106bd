// Highlights uses: their meshes are drawn with a tinted copy of their own
// material (materials are shared between uses, so the tint cannot go on the
// material itself). The own material is kept in userData.ownMaterial.
import { Color } from 'three';

const TINT = new Color(0x2f6fe4);

function tinted(material) {
  const copy = material.clone();
  if (copy.emissive) {
    copy.emissive.copy(TINT);
    copy.emissiveIntensity = 0.55;
  } else {
    copy.color.lerp(TINT, 0.5);
  }
  return copy;
}

export function createHighlighter() {
  const tints = new Map();
  let current = new Set();
  // Highlights the meshes of the objects given (null entries are skipped) and
  // no others.
  return function highlight(objects) {
    const meshes = new Set();
    for (const object of objects) object?.traverse((o) => o.isMesh && meshes.add(o));
    for (const mesh of current) if (!meshes.has(mesh)) mesh.material = mesh.userData.ownMaterial;
    for (const mesh of meshes) {
      if (current.has(mesh)) continue;
      mesh.userData.ownMaterial ??= mesh.material;
      const own = mesh.userData.ownMaterial;
      if (!tints.has(own)) tints.set(own, tinted(own));
      mesh.material = tints.get(own);
    }
    current = meshes;
  };
}
