// The model tree beside the view: one row per use or assembly, nested as the
// file's nodes are. A row's checkbox hides its use; hovering or clicking a row
// highlights the use (a click keeps it selected); a double click frames it;
// the search box keeps the rows whose names match, with the rows above them.
// Names are set as text, never parsed as markup.
const OPEN_LEVELS = 2;

function rowOf(entry, depth, actions) {
  const item = document.createElement('li');
  item.setAttribute('role', 'treeitem');
  item.dataset.node = entry.index;
  const row = document.createElement('div');
  row.className = 'row';
  const twisty = document.createElement('button');
  twisty.className = 'twisty';
  twisty.type = 'button';
  twisty.tabIndex = -1;
  const shown = document.createElement('input');
  shown.type = 'checkbox';
  shown.checked = entry.object.visible;
  shown.title = 'Show or hide';
  const name = document.createElement('span');
  name.className = 'name';
  name.textContent = entry.name;
  row.append(twisty, shown, name);
  if (entry.product && entry.product !== entry.name) {
    const product = document.createElement('span');
    product.className = 'product';
    product.textContent = entry.product;
    row.append(product);
  }
  item.append(row);
  if (entry.children.length) {
    item.setAttribute('aria-expanded', String(depth < OPEN_LEVELS));
    const group = document.createElement('ul');
    group.setAttribute('role', 'group');
    group.append(...entry.children.map((child) => rowOf(child, depth + 1, actions)));
    item.append(group);
    twisty.addEventListener('click', () =>
      item.setAttribute('aria-expanded', String(item.getAttribute('aria-expanded') !== 'true')));
  }
  shown.addEventListener('change', () => actions.setShown(entry, shown.checked));
  row.addEventListener('mouseenter', () => actions.hover(entry));
  row.addEventListener('mouseleave', () => actions.hover(null));
  row.addEventListener('click', (event) => {
    if (event.target !== shown && event.target !== twisty) actions.select(entry);
  });
  row.addEventListener('dblclick', () => actions.fit(entry));
  entry.item = item;
  entry.row = row;
  return item;
}

// Filters the rows by the query (case-insensitive, over names, product and
// instance names); returns whether the entry or one below it matches.
function filter(entry, query) {
  const text = [entry.name, entry.product, entry.instance].filter(Boolean).join('\n').toLowerCase();
  const below = entry.children.map((child) => filter(child, query)).some(Boolean);
  const matches = query === '' || text.includes(query);
  entry.item.classList.toggle('filtered-out', !matches && !below);
  if (query && below) entry.item.setAttribute('aria-expanded', 'true');
  return matches || below;
}

// view: { highlight(objects), fit(object), changed() }.
export function createModelTree(list, search, entries, view) {
  let hovered = null;
  let selected = null;
  const refresh = () => {
    view.highlight([hovered?.object, selected?.object]);
    view.changed();
  };
  const byObject = new Map();
  const index = (entry) => {
    byObject.set(entry.object, entry);
    entry.children.forEach(index);
  };
  entries.forEach(index);

  const setSelected = (entry) => {
    selected?.row.classList.remove('selected');
    selected = entry;
    selected?.row.classList.add('selected');
    refresh();
  };
  // A click on the selected row lets it go.
  const select = (entry) => setSelected(entry === selected ? null : entry);
  const actions = {
    setShown(entry, shown) {
      entry.object.visible = shown;
      view.changed();
    },
    hover(entry) {
      hovered = entry;
      refresh();
    },
    select,
    fit(entry) {
      view.fit(entry.object);
    },
  };
  list.replaceChildren(...entries.map((entry) => rowOf(entry, 0, actions)));
  search.addEventListener('input', () => {
    const query = search.value.trim().toLowerCase();
    for (const entry of entries) filter(entry, query);
  });

  return {
    // Selects the row of the use given (null clears the selection), opening
    // the rows above it and scrolling it into view.
    reveal(object) {
      const entry = byObject.get(object) ?? null;
      if (entry === selected) return;
      setSelected(entry);
      if (!entry) return;
      for (let item = entry.item.parentElement?.closest('[role=treeitem]'); item;
        item = item.parentElement?.closest('[role=treeitem]')) item.setAttribute('aria-expanded', 'true');
      entry.row.scrollIntoView({ block: 'nearest' });
    },
  };
}
