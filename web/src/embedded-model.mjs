// The model travels inside the page as <script id="korrgeom-model">: a binary
// glTF as base64 (type model/gltf-binary) or glTF JSON (type model/gltf+json).
// GLTFLoader.parse takes the bytes of the former and the text of the latter.
export function readEmbeddedModel() {
  const element = document.getElementById('korrgeom-model');
  if (!element) throw new Error('the page holds no model');
  const text = element.textContent.trim();
  if (element.type === 'model/gltf+json') return text;
  if (element.type !== 'model/gltf-binary') throw new Error(`unknown model type "${element.type}"`);
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes.buffer;
}
