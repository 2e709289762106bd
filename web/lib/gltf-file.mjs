// Reads and writes the two glTF containers: .gltf (JSON text) and .glb
// (12-byte header, then a JSON chunk and an optional BIN chunk, each
// 4-byte aligned).
import { readFileSync } from 'node:fs';

const GLB_MAGIC = 0x46546c67; // 'glTF'
const JSON_CHUNK = 0x4e4f534a; // 'JSON'
const BIN_CHUNK = 0x004e4942; // 'BIN\0'

export function isGlb(bytes) {
  return bytes.length >= 12 && bytes.readUInt32LE(0) === GLB_MAGIC;
}

// Returns { json, bin } where bin is the BIN chunk of a .glb (or null).
export function parseGltf(bytes) {
  if (!isGlb(bytes)) return { json: JSON.parse(bytes.toString('utf8')), bin: null };
  let json = null;
  let bin = null;
  for (let offset = 12; offset + 8 <= bytes.length;) {
    const length = bytes.readUInt32LE(offset);
    const type = bytes.readUInt32LE(offset + 4);
    const data = bytes.subarray(offset + 8, offset + 8 + length);
    if (type === JSON_CHUNK) json = JSON.parse(data.toString('utf8'));
    if (type === BIN_CHUNK) bin = data;
    offset += 8 + length;
  }
  if (!json) throw new Error('GLB without a JSON chunk');
  return { json, bin };
}

export function readGltf(file) {
  return parseGltf(readFileSync(file));
}

function chunk(type, data, padByte) {
  const padded = Buffer.alloc(Math.ceil(data.length / 4) * 4, padByte);
  data.copy(padded);
  const header = Buffer.alloc(8);
  header.writeUInt32LE(padded.length, 0);
  header.writeUInt32LE(type, 4);
  return Buffer.concat([header, padded]);
}

export function writeGlb({ json, bin }) {
  const chunks = [chunk(JSON_CHUNK, Buffer.from(JSON.stringify(json)), 0x20)];
  if (bin) chunks.push(chunk(BIN_CHUNK, bin, 0));
  const header = Buffer.alloc(12);
  header.writeUInt32LE(GLB_MAGIC, 0);
  header.writeUInt32LE(2, 4);
  header.writeUInt32LE(12 + chunks.reduce((n, c) => n + c.length, 0), 8);
  return Buffer.concat([header, ...chunks]);
}
