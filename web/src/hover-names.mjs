// Names the use under the pointer in a tooltip that stays inside the window:
// it flips to the pointer's left or above it where it would run off an edge.
import { namedNodeOf } from './model-nodes.mjs';

const OFFSET = 14;
const EDGE = 4;

function place(tooltip, x, y) {
  const { offsetWidth: width, offsetHeight: height } = tooltip;
  const left = x + OFFSET + width + EDGE <= window.innerWidth ? x + OFFSET : x - OFFSET - width;
  const top = y + OFFSET + height + EDGE <= window.innerHeight ? y + OFFSET : y - OFFSET - height;
  tooltip.style.transform = `translate(${Math.max(EDGE, left)}px, ${Math.max(EDGE, top)}px)`;
}

export function showNamesOnHover(canvas, hitAt, tooltip) {
  let pending = null;

  function update() {
    const event = pending;
    pending = null;
    if (!event) return;
    const use = event.buttons ? null : namedNodeOf(hitAt(event.clientX, event.clientY)?.object);
    const name = use?.userData.name ?? '';
    tooltip.textContent = name;
    tooltip.hidden = name === '';
    if (name) place(tooltip, event.clientX, event.clientY);
  }

  canvas.addEventListener('pointermove', (event) => {
    if (pending === null) requestAnimationFrame(update);
    pending = event;
  });
  canvas.addEventListener('pointerleave', () => {
    pending = null;
    tooltip.hidden = true;
  });
}
