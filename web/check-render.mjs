// Renders models in headless Chromium (software WebGL) and checks the pictures.
//
//   node check-render.mjs [options] MODEL.glb|MODEL.gltf|PAGE.html ...
//     --out DIR            pages and PNGs go here (default: render-check)
//     --size WxH           picture size (default: 800x600)
//     --coverage MIN-MAX   share of pixels the model covers (default: 0.05-0.9)
//     --colour #rrggbb     a colour that must show (repeatable)
//     --colours-from FILE  the face colours of FILE's materials must show
//     --chromium PATH      the browser (default: $CHROMIUM or /usr/bin/chromium)
//     --template FILE      the page template for models (default: dist/viewer.html)
//   Without --colour or --colours-from, each model's own face colours must show.
//
// Per model, three pictures of the page's fixed view, one per check mode:
//   shaded     the model covers a sensible share of the frame;
//   backfaces  no area of back-face marker shows (hairline cracks between faces
//              are tolerated), i.e. closed solids are wound outwards;
//   flat       every expected colour shows, unlit, in at least a few pixels.
// Prints one line per check (FAIL for a failed one, with the picture's path
// and the render time), then 'N passed, N failed'; exits 1 if any failed.
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { basename, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';
import { PNG } from 'pngjs';
import { DEFAULT_CHROMIUM, createReport, launchChromium, openViewer } from './lib/browser.mjs';
import { parseGltf } from './lib/gltf-file.mjs';
import { faceColours, hex, parseHexColour } from './lib/material-colours.mjs';
import { countAreaPixels, countPixels, covered, near } from './lib/picture.mjs';
import { TEMPLATE, modelInPage, viewerPage } from './lib/viewer-page.mjs';

const MARKER = [255, 0, 255]; // the back-face marker, src/check-modes.mjs
const COLOUR_TOLERANCE = 3; // per 8-bit channel; unlit software rendering is exact to +-1
const MIN_COLOUR_PIXELS = 20;

const { values: options, positionals: inputs } = parseArgs({
  allowPositionals: true,
  options: {
    out: { type: 'string', default: 'render-check' },
    size: { type: 'string', default: '800x600' },
    coverage: { type: 'string', default: '0.05-0.9' },
    colour: { type: 'string', multiple: true, default: [] },
    'colours-from': { type: 'string' },
    chromium: { type: 'string', default: DEFAULT_CHROMIUM },
    template: { type: 'string', default: fileURLToPath(TEMPLATE) },
  },
});
const numbers = (text, pattern) => pattern.exec(text)?.slice(1).map(Number) ?? [];
const [width, height] = numbers(options.size, /^(\d+)x(\d+)$/);
const [minCoverage, maxCoverage] = numbers(options.coverage, /^([\d.]+)-([\d.]+)$/);
if (inputs.length === 0 || maxCoverage === undefined || height === undefined) {
  console.error('usage: node check-render.mjs [--out DIR] [--size WxH] [--coverage MIN-MAX] '
    + '[--colour #rrggbb]... [--colours-from FILE] [--template FILE] MODEL.glb|MODEL.gltf|PAGE.html ...');
  process.exit(2);
}
const fixedColours = [
  ...options.colour.map(parseHexColour),
  ...(options['colours-from'] ? faceColours(parseGltf(readFileSync(options['colours-from'])).json) : []),
];
const outDir = resolve(options.out);
mkdirSync(outDir, { recursive: true });

async function render(browser, pageFile, mode, pngFile) {
  const started = performance.now();
  const { page, problems } = await openViewer(browser, pageFile, { width, height, query: `?check=${mode}` });
  try {
    const shot = await page.screenshot({ path: pngFile, omitBackground: true });
    return { png: PNG.sync.read(shot), problems: [...problems], ms: performance.now() - started };
  } finally {
    await page.close();
  }
}

function pagesFor(input, name) {
  if (/\.html$/i.test(input)) return { pageFile: resolve(input), model: modelInPage(readFileSync(input, 'utf8')) };
  const pageFile = join(outDir, `${name}.html`);
  writeFileSync(pageFile, viewerPage(input, options.template));
  return { pageFile, model: readFileSync(input) };
}

// What each check mode's picture must show, as [passed, description] pairs.
const PICTURE_CHECKS = {
  shaded(png) {
    const coverage = countPixels(png, covered) / (png.width * png.height);
    return [[coverage >= minCoverage && coverage <= maxCoverage,
      `coverage ${(100 * coverage).toFixed(1)} % of the frame, expected ${100 * minCoverage}-${100 * maxCoverage} %`]];
  },
  backfaces(png) {
    const marked = countPixels(png, near(MARKER, 8));
    const inAreas = countAreaPixels(png, near(MARKER, 8));
    return [[inAreas === 0, `${inAreas} pixels in areas of back faces of single-sided meshes`
      + ` (${marked - inAreas} more in hairlines, tolerated)`]];
  },
  flat(png, expectedColours) {
    return expectedColours.map((colour) => {
      const seen = countPixels(png, near(colour, COLOUR_TOLERANCE));
      return [seen >= MIN_COLOUR_PIXELS, `colour ${hex(colour)} in ${seen} pixels, expected at least ${MIN_COLOUR_PIXELS}`];
    });
  },
};

async function checkModel(browser, input, report) {
  const name = basename(input).replace(/\.(glb|gltf|html)$/i, '');
  const { pageFile, model } = pagesFor(input, name);
  const expectedColours = fixedColours.length ? fixedColours : faceColours(parseGltf(model).json);
  for (const [mode, check] of Object.entries(PICTURE_CHECKS)) {
    const pngFile = join(outDir, `${name}.${mode}.png`);
    const { png, problems, ms } = await render(browser, pageFile, mode, pngFile);
    const where = `${input} ${mode} (${ms.toFixed(0)} ms, ${pngFile})`;
    if (problems.length) report(false, `${where}: page failed: ${problems.join('; ')}`);
    else for (const [ok, description] of check(png, expectedColours)) report(ok, `${where}: ${description}`);
  }
}

const report = createReport();
const browser = await launchChromium(options.chromium);
try {
  for (const input of inputs) {
    await checkModel(browser, input, report).catch((error) => report(false, `${input}: cannot be checked: ${error.message}`));
  }
} finally {
  await browser.close();
}
report.finish();
