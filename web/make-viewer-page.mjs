// Writes the self-contained viewer page for a model: node make-viewer-page.mjs MODEL.glb [OUT.html]
import { writeFileSync } from 'node:fs';
import { viewerPage } from './lib/viewer-page.mjs';

const [model, out = model.replace(/\.(glb|gltf)$/i, '') + '.html'] = process.argv.slice(2);
if (!model) {
  console.error('usage: node make-viewer-page.mjs MODEL.glb|MODEL.gltf [OUT.html]');
  process.exit(2);
}
writeFileSync(out, viewerPage(model));
console.log(`wrote ${out}`);
