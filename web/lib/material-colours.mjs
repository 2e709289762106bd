// The colours a model's faces should show when drawn unlit: the base colour
// of each material used by a triangle primitive, as 8-bit sRGB. glTF stores
// base colours linear; the renderer writes sRGB, hence the transfer function.
const TRIANGLES = 4;

const toSrgb8 = (linear) => {
  const c = Math.min(Math.max(linear, 0), 1);
  return Math.round(255 * (c <= 0.0031308 ? 12.92 * c : 1.055 * c ** (1 / 2.4) - 0.055));
};

export const hex = ([r, g, b]) => '#' + [r, g, b].map((c) => c.toString(16).padStart(2, '0')).join('');

export function parseHexColour(text) {
  const match = /^#?([0-9a-f]{6})$/i.exec(text);
  if (!match) throw new Error(`not a colour: "${text}" (expected #rrggbb)`);
  const n = parseInt(match[1], 16);
  return [(n >> 16) & 255, (n >> 8) & 255, n & 255];
}

// The default material (no "material" on a primitive) is white in glTF.
export function faceColours(json) {
  const used = new Set();
  for (const mesh of json.meshes ?? []) {
    for (const primitive of mesh.primitives) {
      if ((primitive.mode ?? TRIANGLES) === TRIANGLES) used.add(primitive.material ?? -1);
    }
  }
  const colours = new Map();
  for (const index of used) {
    const factor = json.materials?.[index]?.pbrMetallicRoughness?.baseColorFactor ?? [1, 1, 1, 1];
    const srgb = factor.slice(0, 3).map(toSrgb8);
    colours.set(hex(srgb), srgb);
  }
  return [...colours.values()];
}
