// Fills the viewer template with a model, as the korrgeom program does, so
// that the checks can run on a page made from any .glb or .gltf.
import { readFileSync } from 'node:fs';
import { basename } from 'node:path';
import { isGlb } from './gltf-file.mjs';

export const TEMPLATE = new URL('../dist/viewer.html', import.meta.url);

const escapeHtml = (text) => text.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);

export function viewerPage(modelFile, template = TEMPLATE) {
  const bytes = readFileSync(modelFile);
  const glb = isGlb(bytes);
  const fields = {
    TITLE: escapeHtml(basename(modelFile)),
    MODEL_TYPE: glb ? 'model/gltf-binary' : 'model/gltf+json',
    // JSON has '<' only inside strings, where \u003c is the same character:
    // no name can then close the <script> element or open a comment in it.
    MODEL: glb ? bytes.toString('base64') : bytes.toString('utf8').replaceAll('<', '\\u003c'),
  };
  return readFileSync(template, 'utf8').replace(/{{([A-Z_]+)}}/g, (_, name) => fields[name]);
}

// The model embedded in a filled page, for checks that are given the page.
export function modelInPage(html) {
  const match = /<script id="korrgeom-model" type="([^"]+)">([\s\S]*?)<\/script>/.exec(html);
  if (!match) throw new Error('no embedded model in the page');
  const [, type, text] = match;
  return type === 'model/gltf-binary' ? Buffer.from(text, 'base64') : Buffer.from(text);
}
