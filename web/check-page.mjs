// Checks the viewer page's model tree in headless Chromium.
//
//   node check-page.mjs [--out DIR] [--names NAMES.json] [--chromium PATH] PAGE.html ...
//
// Per page:
//   tree     the rows are the embedded model's nodes, named and nested as they
//            are (a node with neither name nor mesh passes its children up);
//   collapse a row's toggle hides and shows the rows below it;
//   search   a query keeps the rows that match and the rows above them;
//   hide     a use whose colour no other use has shows in the flat picture,
//            and after its row's checkbox is cleared its colour is gone;
//   pick     a click where that colour showed names the use's part, a face of
//            its mesh and that colour, and selects its row;
//   names    (with --names) every name of the JSON list is the text of a row,
//            and no markup in them ran: the title is the file's, no element
//            came from a name and no dialog opened.
// Prints one line per check, then 'N passed, N failed'; exits 1 if any failed.
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { basename, join, resolve } from 'node:path';
import { parseArgs } from 'node:util';
import { PNG } from 'pngjs';
import { DEFAULT_CHROMIUM, createReport, launchChromium, openViewer } from './lib/browser.mjs';
import { parseGltf } from './lib/gltf-file.mjs';
import { faceColours, hex } from './lib/material-colours.mjs';
import { countPixels, near } from './lib/picture.mjs';
import { modelInPage } from './lib/viewer-page.mjs';

const SIZE = { width: 480, height: 360 };
const PANEL_WIDTH = 281; // src/viewer.html: 280 pixels and a border
const COLOUR_TOLERANCE = 3;
const MIN_COLOUR_PIXELS = 20;

const { values: options, positionals: pages } = parseArgs({
  allowPositionals: true,
  options: {
    out: { type: 'string', default: 'page-check' },
    names: { type: 'string' },
    chromium: { type: 'string', default: DEFAULT_CHROMIUM },
  },
});
if (pages.length === 0) {
  console.error('usage: node check-page.mjs [--out DIR] [--names NAMES.json] [--chromium PATH] PAGE.html ...');
  process.exit(2);
}
const outDir = resolve(options.out);
mkdirSync(outDir, { recursive: true });

// The rows the tree should have, in order: [node, parent node (-1 at the
// top), name].
function expectedRows(json) {
  const rows = [];
  const visit = (index, parent) => {
    const node = json.nodes[index];
    const listed = Boolean(node.name) || node.mesh !== undefined;
    if (listed) rows.push([index, parent, node.name || `Node ${index}`]);
    for (const child of node.children ?? []) visit(child, listed ? index : parent);
  };
  for (const index of json.scenes[json.scene ?? 0].nodes) visit(index, -1);
  return rows;
}

const shownRows = (page) => page.$$eval('#tree [role=treeitem]', (items) => items.map((item) => [
  Number(item.dataset.node),
  Number(item.parentElement.closest('[role=treeitem]')?.dataset.node ?? -1),
  item.querySelector(':scope > .row > .name').textContent,
]));
const isVisible = (page, node) => page.$eval(`[data-node="${node}"] > .row`, (row) => row.checkVisibility());

// The colour of each mesh node's triangles, and one node whose colours no
// other node shows.
function nodeWithOwnColour(json) {
  const coloursOf = (node) => faceColours({ ...json, meshes: [json.meshes[node.mesh]] }).map(hex);
  const meshNodes = json.nodes.map((node, index) => [index, node]).filter(([, node]) => node.mesh !== undefined);
  for (const [index, node] of meshNodes) {
    const others = new Set(meshNodes.filter(([other]) => other !== index).flatMap(([, n]) => coloursOf(n)));
    const own = coloursOf(node).find((colour) => !others.has(colour));
    if (own) return { index, colour: own };
  }
  return null;
}

async function checkTree(browser, pageFile, json, report) {
  const { page, problems } = await openViewer(browser, pageFile, SIZE);
  try {
    report(problems.size === 0, `${pageFile}: the page loads${problems.size ? `: ${[...problems].join('; ')}` : ''}`);
    const expected = expectedRows(json);
    const rows = await shownRows(page);
    const firstDifference = expected.findIndex((row, k) => JSON.stringify(row) !== JSON.stringify(rows[k]));
    report(rows.length > 0 && rows.length === expected.length && firstDifference < 0,
      `tree: ${rows.length} rows for ${expected.length} listed nodes`
      + (firstDifference >= 0 ? `; row ${firstDifference} is ${JSON.stringify(rows[firstDifference])},`
        + ` expected ${JSON.stringify(expected[firstDifference])}` : ''));

    const parent = rows.find(([node]) => rows.some(([, above]) => above === node));
    if (parent) {
      const child = rows.find(([, above]) => above === parent[0])[0];
      const toggle = `[data-node="${parent[0]}"] > .row > .twisty`;
      const before = await isVisible(page, child);
      await page.click(toggle);
      const after = await isVisible(page, child);
      await page.click(toggle);
      report(before !== after && (await isVisible(page, child)) === before,
        `collapse: row ${child} ${before ? 'shown' : 'hidden'}, then ${after ? 'shown' : 'hidden'}, then again as before`);
    }

    // A row stays when it or a row below it matches by name, product or instance.
    const leaves = rows.filter(([node]) => !rows.some(([, above]) => above === node));
    const target = leaves.find(([, , name]) => leaves.some(([, , other]) => !other.toLowerCase().includes(name.toLowerCase())));
    if (target) {
      const query = target[2].toLowerCase();
      const matches = new Set(rows.filter(([node, , name]) => [name, json.nodes[node].extras?.product,
        json.nodes[node].extras?.instance].some((text) => text?.toLowerCase().includes(query))).map(([node]) => node));
      const kept = new Set(matches);
      for (const node of matches) {
        for (let above = rows.find(([n]) => n === node)[1]; above >= 0; above = rows.find(([n]) => n === above)[1]) kept.add(above);
      }
      await page.fill('#search', target[2]);
      const wrong = [];
      for (const [node] of rows) if ((await isVisible(page, node)) !== kept.has(node)) wrong.push(node);
      report(kept.size < rows.length && wrong.length === 0,
        `search: "${target[2]}" keeps ${kept.size} of ${rows.length} rows` + (wrong.length ? `; wrong: rows ${wrong.join(', ')}` : ''));
      await page.fill('#search', '');
    }
  } finally {
    await page.close();
  }
}

async function flatPicture(page, file) {
  // Two frames: the one the change asked for, then one to be sure it is shown.
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  return PNG.sync.read(await page.screenshot({ path: file, omitBackground: true }));
}

// The middle pixel (in reading order) of those that match.
function middlePixel(png, predicate) {
  const found = [];
  for (let p = 0; p < png.width * png.height; p++) {
    if (predicate(...png.data.subarray(4 * p, 4 * p + 4))) found.push([p % png.width, Math.floor(p / png.width)]);
  }
  return found[Math.floor(found.length / 2)];
}

// Hides the use whose colour is its own in the flat picture; returns where
// that colour showed.
async function checkHiding(browser, pageFile, use, name, report) {
  const { page } = await openViewer(browser, pageFile, { ...SIZE, query: '?check=flat' });
  try {
    const colour = near(use.colour.match(/\w\w/g).map((h) => parseInt(h, 16)), COLOUR_TOLERANCE);
    const shown = await flatPicture(page, join(outDir, `${name}.shown.png`));
    const before = countPixels(shown, colour);
    // The panel is not shown in the check modes; the checkbox still works.
    await page.$eval(`[data-node="${use.index}"] > .row > input`, (box) => box.click());
    const after = countPixels(await flatPicture(page, join(outDir, `${name}.hidden.png`)), colour);
    report(before >= MIN_COLOUR_PIXELS && after === 0,
      `hide: node ${use.index}'s colour ${use.colour} in ${before} pixels, after hiding it in ${after}`);
    return middlePixel(shown, colour);
  } finally {
    await page.close();
  }
}

// Clicks the model where the use showed, in a page whose view has the size
// of the check picture (the panel beside it), so that the view is the same.
async function checkPicking(browser, pageFile, json, use, [x, y], report) {
  const { page } = await openViewer(browser, pageFile, { ...SIZE, width: SIZE.width + PANEL_WIDTH });
  try {
    const view = await page.locator('canvas').boundingBox();
    await page.mouse.click(view.x + x + 0.5, view.y + y + 0.5);
    const picked = await page.textContent('#picked');
    const face = Number(await page.getAttribute('#picked', 'data-face'));
    const node = json.nodes[use.index];
    const faces = json.meshes[node.mesh].primitives.flatMap((primitive) => primitive.extras?.faces ?? []).map(([f]) => f);
    const part = node.extras?.product ?? json.meshes[node.mesh].name;
    const selected = await page.$$eval('#tree .row.selected', (rows) => rows.map((row) => row.parentElement.dataset.node));
    report(picked.startsWith(`${part}  `) && faces.includes(face) && picked.endsWith(use.colour)
      && selected.join() === String(use.index),
      `pick: at (${x}, ${y}) "${picked}", expected part "${part}", one of faces ${faces.join(' ')}`
      + ` and ${use.colour}; rows selected: ${selected.join(', ') || 'none'}`);
  } finally {
    await page.close();
  }
}

async function checkNames(browser, pageFile, names, report) {
  const { page, problems } = await openViewer(browser, pageFile, SIZE);
  const dialogs = [];
  page.on('dialog', (dialog) => {
    dialogs.push(dialog.message());
    dialog.dismiss();
  });
  try {
    await page.evaluate(() => new Promise((done) => setTimeout(done, 200)));
    const rowNames = await page.$$eval('#tree .name', (spans) => spans.map((span) => span.textContent));
    const missing = names.filter((name) => !rowNames.includes(name));
    report(missing.length === 0, `names: ${names.length - missing.length} of ${names.length} names intact in the tree`
      + (missing.length ? `; missing ${JSON.stringify(missing)} among ${JSON.stringify(rowNames)}` : ''));
    const title = await page.title();
    const elements = await page.evaluate(() => ({
      scripts: document.scripts.length,
      images: document.images.length,
      comments: document.createNodeIterator(document, NodeFilter.SHOW_COMMENT).nextNode() !== null,
    }));
    // The title as the file writes it, its character references decoded.
    const expectedTitle = (/<title>([^<]*)<\/title>/.exec(readFileSync(pageFile, 'utf8'))?.[1] ?? '')
      .replace(/&#(\d+);/g, (_, code) => String.fromCharCode(Number(code)));
    report(title === expectedTitle && elements.scripts === 2 && elements.images === 0 && !elements.comments
      && dialogs.length === 0 && problems.size === 0,
      `names ran nothing: title "${title}" (expected "${expectedTitle}"), ${elements.scripts} scripts, `
      + `${elements.images} images, ${elements.comments ? 'a' : 'no'} comment, ${dialogs.length} dialogs, `
      + `page errors: ${[...problems].join('; ') || 'none'}`);
  } finally {
    await page.close();
  }
}

const report = createReport();
const names = options.names ? JSON.parse(readFileSync(options.names, 'utf8')) : null;
const browser = await launchChromium(options.chromium);
try {
  for (const pageFile of pages.map((file) => resolve(file))) {
    const name = basename(pageFile).replace(/\.html$/i, '');
    await (async () => {
      const { json } = parseGltf(modelInPage(readFileSync(pageFile, 'utf8')));
      writeFileSync(join(outDir, `${name}.gltf.json`), JSON.stringify(json, null, 1));
      await checkTree(browser, pageFile, json, report);
      const use = nodeWithOwnColour(json);
      if (!use) report(true, 'hide, pick: no use has a colour of its own; nothing to check');
      else await checkPicking(browser, pageFile, json, use, await checkHiding(browser, pageFile, use, name, report), report);
      if (names) await checkNames(browser, pageFile, names, report);
    })().catch((error) => report(false, `${pageFile}: cannot be checked: ${error.message}`));
  }
} finally {
  await browser.close();
}
report.finish();
