// Writes the self-contained viewer page for a model:
//   node make-viewer-page.mjs MODEL.glb|MODEL.gltf [OUT.html] [--template viewer.html]
// (the template by default: dist/viewer.html, from build-viewer.mjs).
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';
import { TEMPLATE, viewerPage } from './lib/viewer-page.mjs';

const { values: options, positionals } = parseArgs({
  allowPositionals: true,
  options: { template: { type: 'string', default: fileURLToPath(TEMPLATE) } },
});
const [model, out = model?.replace(/\.(glb|gltf)$/i, '') + '.html'] = positionals;
if (!model) {
  console.error('usage: node make-viewer-page.mjs MODEL.glb|MODEL.gltf [OUT.html] [--template viewer.html]');
  process.exit(2);
}
writeFileSync(out, viewerPage(model, options.template));
console.log(`wrote ${out}`);
