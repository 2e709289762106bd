// Bundles the viewer (three.js, its glTF loader and orbit controls, and src/)
// into one script and inlines it into the page template:
//   node build-viewer.mjs [OUT_DIR]     (default: dist/ beside this file)
// The result, OUT_DIR/viewer.html, still holds the placeholders the writer fills:
//   {{TITLE}}       HTML-escaped text
//   {{MODEL_TYPE}}  model/gltf-binary or model/gltf+json
//   {{MODEL}}       base64 of the .glb, or the glTF JSON with every "<" written "\u003c"
import { build } from 'esbuild';
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

const here = new URL('.', import.meta.url);
const outDir = process.argv[2] ? pathToFileURL(`${resolve(process.argv[2])}/`) : new URL('dist/', here);
const result = await build({
  entryPoints: [fileURLToPath(new URL('src/viewer.mjs', here))],
  bundle: true,
  minify: true,
  format: 'iife',
  target: ['es2020'],
  charset: 'ascii',
  legalComments: 'eof',
  write: false,
});
const script = result.outputFiles[0].text;

// The script sits inside a <script> element of a page that is later searched
// for placeholders, so it must contain neither a closing tag nor a placeholder.
for (const forbidden of [/<\/script/i, /{{[A-Z_]+}}/]) {
  if (forbidden.test(script)) throw new Error(`the bundled script contains ${forbidden}`);
}

const template = readFileSync(new URL('src/viewer.html', here), 'utf8');
const page = template.replace('{{VIEWER_SCRIPT}}', () => script);
// ASCII only, so that the page embeds in a C++ source as plain bytes.
if (/[^\x00-\x7f]/.test(page)) throw new Error('the page is not plain ASCII');
mkdirSync(outDir, { recursive: true });
writeFileSync(new URL('viewer.js', outDir), script);
writeFileSync(new URL('viewer.html', outDir), page);

const kB = (n) => `${(n / 1024).toFixed(1)} kB`;
console.log(`viewer.js    ${kB(script.length)} (gzip ${kB(gzipSync(script).length)})`);
console.log(`viewer.html  ${kB(page.length)}  in ${outDir.pathname}`);
