// Pixel counts on a decoded PNG (pngjs: { width, height, data: RGBA bytes }).
// The check pages draw on a transparent background, so alpha tells model
// from background whatever the model's colours.
export const covered = (r, g, b, a) => a > 0;

export const near = ([r, g, b], tolerance) => (R, G, B, A) =>
  A === 255 && Math.abs(R - r) <= tolerance && Math.abs(G - g) <= tolerance && Math.abs(B - b) <= tolerance;

function mask(png, predicate) {
  const { data } = png;
  const result = new Uint8Array(png.width * png.height);
  for (let p = 0; p < result.length; p++) {
    result[p] = predicate(data[4 * p], data[4 * p + 1], data[4 * p + 2], data[4 * p + 3]) ? 1 : 0;
  }
  return result;
}

export function countPixels(png, predicate) {
  return mask(png, predicate).reduce((sum, bit) => sum + bit, 0);
}

// Pixels that are the top-left of a 2x2 block of matching pixels: areas count,
// one-pixel-wide lines (such as hairline cracks between faces) do not.
export function countAreaPixels(png, predicate) {
  const m = mask(png, predicate);
  const { width, height } = png;
  let count = 0;
  for (let y = 0; y + 1 < height; y++) {
    for (let x = 0, p = y * width; x + 1 < width; x++, p++) {
      if (m[p] && m[p + 1] && m[p + width] && m[p + width + 1]) count++;
    }
  }
  return count;
}
