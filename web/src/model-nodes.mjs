// The glTF nodes among the three.js objects GLTFLoader made. A node with one
// primitive is its mesh; a node with more is a group of them. GLTFLoader keeps
// each node's own name in userData.name (object.name is sanitised) and its
// extras (product and instance names) in userData.

// The tree of the scene's nodes: { object, index, name, product, instance,
// children }. A node with neither name nor mesh (such as the one that turns
// the model upright) passes its children up to its parent's level.
export function nodeTree(gltf) {
  const { associations, json } = gltf.parser;
  const entryOf = (object, index) => {
    const { name = '', product, instance } = object.userData;
    return { object, index, name: name || `Node ${index}`, product, instance, children: [] };
  };
  const collect = (object) => object.children.flatMap((child) => {
    const index = associations.get(child)?.nodes;
    if (index === undefined) return [];
    const definition = json.nodes[index];
    if (!definition.name && definition.mesh === undefined) return collect(child);
    const entry = entryOf(child, index);
    entry.children = collect(child);
    return [entry];
  });
  return collect(gltf.scene);
}

// Whether the object and everything above it is visible.
export function isShown(object) {
  for (let o = object; o; o = o.parent) if (!o.visible) return false;
  return true;
}

// The nearest node at or above the object that has a name: the use that
// placed a mesh.
export function namedNodeOf(object) {
  for (let o = object; o; o = o.parent) if (o.userData.name) return o;
  return null;
}

// The name of the part a mesh draws: its use's product name where the file
// gives one, else the glTF mesh's own name (which the writer takes from the
// product).
export function partName(gltf, mesh) {
  const use = namedNodeOf(mesh);
  if (use?.userData.product) return use.userData.product;
  const meshIndex = gltf.parser.associations.get(mesh)?.meshes;
  return gltf.parser.json.meshes?.[meshIndex]?.name || use?.userData.name || '';
}
