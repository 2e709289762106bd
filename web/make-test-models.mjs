// Writes faulty variants of a .glb, to prove that the checks catch faults:
//
//   node make-test-models.mjs MODEL.glb OUT_DIR
//
//   NAME.flipped.glb      every triangle wound the other way (render check: backfaces)
//   NAME.coloured.glb     each mesh's faces in a colour of its own (passes every check)
//   NAME.colour-lost.glb  as coloured, but the last mesh's faces back on the
//                         first material (render check with --colours-from NAME.coloured.glb)
//   NAME.warning.glb      a node with a property glTF does not define (validator warning)
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { basename, join } from 'node:path';
import { parseGltf, writeGlb } from './lib/gltf-file.mjs';

const TRIANGLES = 4;
const INDEX_ARRAYS = { 5121: Uint8Array, 5123: Uint16Array, 5125: Uint32Array };
const PALETTE = [[0.8, 0.05, 0.05], [0.05, 0.3, 0.8], [0.9, 0.5, 0.02], [0.1, 0.6, 0.15], [0.4, 0.15, 0.6]];

const trianglePrimitives = (json) =>
  (json.meshes ?? []).flatMap((mesh) => mesh.primitives).filter((p) => (p.mode ?? TRIANGLES) === TRIANGLES);

function flipped({ json, bin }) {
  const out = Buffer.from(bin);
  const done = new Set();
  for (const primitive of trianglePrimitives(json)) {
    if (primitive.indices === undefined) throw new Error('flipping needs indexed triangles');
    if (done.has(primitive.indices)) continue;
    done.add(primitive.indices);
    const accessor = json.accessors[primitive.indices];
    const view = json.bufferViews[accessor.bufferView];
    const Indices = INDEX_ARRAYS[accessor.componentType];
    const start = out.byteOffset + (view.byteOffset ?? 0) + (accessor.byteOffset ?? 0);
    const indices = new Indices(out.buffer, start, accessor.count);
    for (let i = 0; i + 2 < indices.length; i += 3) [indices[i + 1], indices[i + 2]] = [indices[i + 2], indices[i + 1]];
  }
  return { json, bin: out };
}

function coloured({ json, bin }) {
  const copy = structuredClone(json);
  copy.materials ??= [];
  copy.meshes.forEach((mesh, m) => {
    const material = copy.materials.length;
    copy.materials.push({ name: `colour ${m}`, pbrMetallicRoughness: { baseColorFactor: [...PALETTE[m % PALETTE.length], 1] } });
    for (const primitive of mesh.primitives) if ((primitive.mode ?? TRIANGLES) === TRIANGLES) primitive.material = material;
  });
  return { json: copy, bin };
}

function colourLost({ json, bin }) {
  const copy = structuredClone(json);
  for (const primitive of copy.meshes.at(-1).primitives) if ((primitive.mode ?? TRIANGLES) === TRIANGLES) primitive.material = 0;
  return { json: copy, bin };
}

function withWarning({ json, bin }) {
  const copy = structuredClone(json);
  copy.nodes[0].colour = 'red';
  return { json: copy, bin };
}

const [input, outDir] = process.argv.slice(2);
if (!input || !outDir) {
  console.error('usage: node make-test-models.mjs MODEL.glb OUT_DIR');
  process.exit(2);
}
mkdirSync(outDir, { recursive: true });
const name = basename(input).replace(/\.glb$/i, '');
const model = () => parseGltf(readFileSync(input));
const colouredModel = coloured(model());
const variants = {
  flipped: flipped(model()),
  coloured: colouredModel,
  'colour-lost': colourLost(colouredModel),
  warning: withWarning(model()),
};
for (const [variant, gltf] of Object.entries(variants)) {
  const file = join(outDir, `${name}.${variant}.glb`);
  writeFileSync(file, writeGlb(gltf));
  console.log(`wrote ${file}`);
}
