"use strict";
// The page's side of the web edition: it turns pointer, touch and key events into calls on
// the core (compiled from the same C++ as the desktop program) and puts what the core
// draws and says on the page. No geometry, lesson or grading lives here.
(async () => {
  const byId = (id) => document.getElementById(id);
  const core = await createCore();
  const edition = new core.WebEdition();
  const actions = JSON.parse(core.actionsJson());
  const picture = byId("picture");
  const clientWidth = 753;
  const clientHeight = 475;

  // --- what the core shows
  let state = null;
  let drawn = false; // a picture waits to be drawn at the next frame
  // The picture put up: the whole <svg> element, or the elements of its group that went and
  // came since the last one (the core compares them), each element on the page after its
  // line's indentation, as in the file.
  const shown = new core.PictureChanges();
  const scratch = document.createElementNS("http://www.w3.org/2000/svg", "svg");
  function showPicture(changes) {
    if (changes.whole !== undefined) {
      picture.innerHTML = changes.whole;
      return;
    }
    const group = picture.querySelector("svg > g");
    for (const element of changes.gone.map((n) => group.children[n])) {
      element.previousSibling.remove();
      element.remove();
    }
    scratch.innerHTML = changes.markup;
    const made = [...scratch.children];
    changes.came.forEach((n, k) => {
      const next = group.children[n];
      const anchor = next ? next.previousSibling : group.lastChild;
      group.insertBefore(document.createTextNode("\n        "), anchor);
      group.insertBefore(made[k], anchor);
    });
  }
  function render() {
    state = JSON.parse(core.stateJson(edition));
    showPicture(JSON.parse(core.pictureChanges(shown, edition)));
    // Only what changed is written: the page lays out less, and the live region speaks only
    // when its line is new.
    const put = (element, text) => element.textContent !== text && (element.textContent = text);
    put(byId("line"), state.line);
    put(byId("heading"), state.heading);
    put(byId("refusal"), [state.refusal, ...state.problems].filter((t) => t).join(" "));
    buttons.forEach((button, n) => {
      if (button.disabled === state.enabled[n]) {
        button.disabled = !state.enabled[n];
      }
      const pressed = String(state.checked[n]);
      if (actions[n].checkable && button.getAttribute("aria-pressed") !== pressed) {
        button.setAttribute("aria-pressed", pressed);
      }
    });
    // (no address while a site is dragged: it follows when the drag ends)
    if (state.address !== null && location.hash.slice(1) !== state.address) {
      try {
        history.replaceState(null, "", "#" + state.address);
      } catch (error) {
        // a frame may forbid changing the address; the page works all the same
      }
    }
  }
  function renderSoon() {
    if (!drawn) {
      drawn = true;
      requestAnimationFrame(() => {
        drawn = false;
        render();
      });
    }
  }

  // --- the actions, as buttons in the groups of the window's menu, and their effects
  const groups = new Map();
  const buttons = actions.map((action, n) => {
    if (!groups.has(action.group)) {
      const group = document.createElement("div");
      group.className = "group";
      group.setAttribute("role", "toolbar");
      group.setAttribute("aria-label", action.group.replace("-", " "));
      byId("toolbar").append(group);
      groups.set(action.group, group);
    }
    const button = document.createElement("button");
    button.type = "button";
    button.textContent = action.name;
    button.title = action.help + " (" + action.keysText + ")";
    button.setAttribute("aria-keyshortcuts", action.keys.join(" ").replace(/Ctrl\+/g, "Control+"));
    button.addEventListener("click", () => perform(n));
    groups.get(action.group).append(button);
    const row = document.createElement("tr");
    for (const text of [action.keysText, action.help]) {
      const cell = document.createElement("td");
      cell.textContent = text;
      row.append(cell);
    }
    byId("keys").tBodies[0].append(row);
    return button;
  });

  function download(name, text, type) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([text], { type }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
  }
  function openList(text) {
    const problem = edition.openSiteList(text);
    render();
    if (problem) {
      byId("refusal").textContent = problem;
    }
  }
  const effects = {
    copy: () => navigator.clipboard?.writeText(edition.siteList()),
    paste: () => navigator.clipboard?.readText().then(openList, () => {}),
    open: () => byId("file").click(),
    "save-sites": () => download("sites.txt", edition.siteList(), "text/plain"),
    "save-picture": () => download("picture.svg", edition.pictureFile(), "image/svg+xml"),
    "save-results": () =>
      download("results.json", edition.resultsFile(byId("name").value), "application/json"),
    "full-screen": () => {
      const on = !document.fullscreenElement;
      (on ? document.documentElement.requestFullscreen() : document.exitFullscreen())?.catch?.(
        () => {},
      );
      edition.setFullScreen(on);
    },
    help: () => {
      byId("help").open = !byId("help").open;
    },
  };
  function perform(n) {
    const effect = core.act(edition, n);
    effects[effect]?.();
    render();
  }
  byId("file").addEventListener("change", async () => {
    const file = byId("file").files[0];
    if (file) {
      openList(await file.text());
    }
    byId("file").value = "";
  });

  // --- the pointer: a mouse, a finger or a pen, mapped back through the picture's scale
  const where = (event) => {
    const box = picture.querySelector("svg").getBoundingClientRect();
    return [
      ((event.clientX - box.left) * clientWidth) / box.width,
      ((event.clientY - box.top) * clientHeight) / box.height,
    ];
  };
  const removeSite = actions.findIndex((a) => a.keys.includes("Delete"));
  let down = null; // the press going on: where it began, and its long-press timer
  picture.addEventListener("pointerdown", (event) => {
    if (event.button !== 0) {
      return;
    }
    try {
      picture.setPointerCapture(event.pointerId); // the drag goes on outside the picture
    } catch (error) {
      // a pointer the browser no longer tracks: the press works all the same
    }
    const [x, y] = where(event);
    edition.press(x, y);
    down = { x: event.clientX, y: event.clientY, timer: null };
    if (event.pointerType !== "mouse") {
      // A long press does what the right button does: removes the site under it.
      down.timer = setTimeout(() => {
        edition.release();
        edition.hover(x, y);
        perform(removeSite);
        down = null;
      }, 600);
    }
    render();
  });
  picture.addEventListener("pointermove", (event) => {
    const [x, y] = where(event);
    if (down) {
      if (Math.hypot(event.clientX - down.x, event.clientY - down.y) > 8) {
        clearTimeout(down.timer);
      }
      edition.drag(x, y);
      renderSoon();
    } else {
      edition.hover(x, y);
      if (state.checked[actions.findIndex((a) => a.keys.includes("n"))]) {
        renderSoon(); // the nearest-site circle follows the pointer
      }
    }
  });
  const lift = () => {
    if (down) {
      clearTimeout(down.timer);
      down = null;
      edition.release();
      render();
    }
  };
  picture.addEventListener("pointerup", lift);
  picture.addEventListener("pointercancel", lift);
  picture.addEventListener("contextmenu", (event) => {
    event.preventDefault();
    if (event.pointerType === "mouse" || !event.pointerType) {
      const [x, y] = where(event);
      edition.hover(x, y);
      perform(removeSite);
    }
  });
  picture.addEventListener("dragover", (event) => event.preventDefault());
  picture.addEventListener("drop", async (event) => {
    event.preventDefault();
    const file = event.dataTransfer.files[0];
    openList(file ? await file.text() : event.dataTransfer.getData("text/plain"));
  });
  document.addEventListener("paste", (event) => {
    if (!(event.target instanceof HTMLInputElement)) {
      openList(event.clipboardData.getData("text/plain"));
    }
  });

  // --- the keys: each named as the window's table names it; a browser's own pass
  document.addEventListener("keydown", (event) => {
    if (event.altKey || event.metaKey || event.target instanceof HTMLInputElement) {
      return;
    }
    const key = event.key.length === 1 && !event.shiftKey ? event.key.toLowerCase() : event.key;
    const n = core.actionOfKey(edition, (event.ctrlKey ? "Ctrl+" : "") + key);
    const onButton = event.target instanceof Element && event.target.closest("button");
    if (n < 0 || ((key === "Enter" || key === " ") && onButton)) {
      return; // Return or Space on a button presses that button
    }
    event.preventDefault();
    perform(n);
  });

  // --- the address carries what is shown; a link opens it
  // A file saved by the desktop program names what it opens at, for when no address follows
  // the file's name.
  const randomSeed = () => crypto.getRandomValues(new Uint32Array(1))[0];
  const start = document.querySelector("main").dataset.start;
  edition.open(location.hash.slice(1) || start, randomSeed());
  window.addEventListener("hashchange", () => {
    if (state.address !== null && location.hash.slice(1) !== state.address) {
      edition.open(location.hash.slice(1), randomSeed());
      render();
    }
  });
  byId("loading").remove();
  render();
})();
