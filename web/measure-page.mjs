// Measures viewer pages in headless Chromium (software WebGL, so the times are
// those of a machine without a GPU):
//   node measure-page.mjs [--size WxH] [--runs N] [--chromium PATH] PAGE.html ...
// Per page: the file's size; the load time, from navigation to the model drawn
// and the page ready (median of the runs); and the frame time while the view
// is dragged round: the time between one drawing of the scene and the next
// (each begins with a clear of the canvas), as the drag asks for one drawing
// after another (median and 90th percentile).
import { statSync } from 'node:fs';
import { resolve } from 'node:path';
import { parseArgs } from 'node:util';
import { DEFAULT_CHROMIUM, launchChromium, openViewer } from './lib/browser.mjs';

const { values: options, positionals: pages } = parseArgs({
  allowPositionals: true,
  options: {
    size: { type: 'string', default: '1280x800' },
    runs: { type: 'string', default: '3' },
    chromium: { type: 'string', default: DEFAULT_CHROMIUM },
  },
});
const [width, height] = (/^(\d+)x(\d+)$/.exec(options.size) ?? []).slice(1).map(Number);
if (pages.length === 0 || !height) {
  console.error('usage: node measure-page.mjs [--size WxH] [--runs N] [--chromium PATH] PAGE.html ...');
  process.exit(2);
}

const quantile = (values, q) => [...values].sort((a, b) => a - b)[Math.min(values.length - 1, Math.floor(q * values.length))];
const DRAG_STEPS = 60;

// Records when each drawing starts: three.js clears the canvas first.
function recordDrawings() {
  window.drawings = [];
  const clear = WebGL2RenderingContext.prototype.clear;
  WebGL2RenderingContext.prototype.clear = function recordedClear(mask) {
    window.drawings.push(performance.now());
    return clear.call(this, mask);
  };
}

async function dragFrames(page) {
  const box = await page.locator('canvas').boundingBox();
  const x = box.x + box.width / 2;
  const y = box.y + box.height / 2;
  await page.mouse.move(x, y);
  await page.mouse.down();
  const first = await page.evaluate(() => window.drawings.length);
  for (let step = 1; step <= DRAG_STEPS; step++) await page.mouse.move(x + 5 * step, y + step);
  await page.mouse.up();
  const times = await page.evaluate((from) => window.drawings.slice(from), first);
  return times.slice(1).map((time, k) => time - times[k]);
}

const browser = await launchChromium(options.chromium);
try {
  console.log(`${width}x${height}, ${options.runs} loads each`);
  for (const file of pages.map((page) => resolve(page))) {
    const loads = [];
    let frames = [];
    for (let run = 0; run < Number(options.runs); run++) {
      const { page, problems } = await openViewer(browser, file, { width, height, init: recordDrawings });
      if (problems.size) throw new Error(`${file}: ${[...problems].join('; ')}`);
      loads.push(await page.evaluate(() => performance.getEntriesByName('korrgeom-ready')[0].startTime));
      if (run === 0) frames = await dragFrames(page);
      await page.close();
    }
    const ms = (value) => `${value.toFixed(0)} ms`;
    console.log(`${file}\n  size ${(statSync(file).size / 1024).toFixed(0)} kB, load ${ms(quantile(loads, 0.5))}`
      + ` (${loads.map(ms).join(', ')}), frame ${ms(quantile(frames, 0.5))} median, ${ms(quantile(frames, 0.9))}`
      + ` at the 90th percentile over ${frames.length + 1} drawings`);
  }
} finally {
  await browser.close();
}
