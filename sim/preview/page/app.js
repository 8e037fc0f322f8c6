// The theme studio: every control takes the pane's road through the server,
// then the pictures are drawn again by the device's own processes.
"use strict";

const token = document.querySelector('meta[name="vantorel-token"]').content;
const screenNames = ["list", "search", "swipe", "chat", "menu"];
const state = { version: "", appearance: "light", busy: 0, photos: [] };

function el(tag, attributes, ...children) {
  const node = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes || {})) {
    if (name === "class") node.className = value;
    else if (name.startsWith("on")) node.addEventListener(name.slice(2), value);
    else if (value === true) node.setAttribute(name, "");
    else if (value !== false && value !== undefined && value !== null) node.setAttribute(name, value);
  }
  for (const child of children) node.append(child);
  return node;
}

function showStatus(text, failed) {
  const line = document.getElementById("status");
  line.textContent = text;
  line.classList.toggle("error", Boolean(failed));
}

async function request(path, options) {
  const response = await fetch(path, options);
  const type = response.headers.get("Content-Type") || "";
  const answer = type.startsWith("application/json") ? await response.json() : null;
  if (!response.ok) throw new Error(answer && answer.error ? answer.error : "the server answered " + response.status);
  return answer;
}

// A change: the page waits for the respring and then redraws everything.
async function change(path, body, contentType) {
  state.busy++;
  showStatus("applying…");
  try {
    const answer = await request(path, {
      method: "POST",
      headers: { "Content-Type": contentType || "application/json", "X-Vantorel-Token": token },
      body: contentType ? body : JSON.stringify(body),
    });
    await refresh(true);
    showStatus(describe(answer));
    return answer;
  } catch (failure) {
    showStatus(failure.message, true);
    await refresh(true); // controls go back to what is stored
    return null;
  } finally {
    state.busy--;
  }
}

function describe(answer) {
  if (!answer) return "";
  if ("key" in answer && "value" in answer) return answer.key + " = " + JSON.stringify(answer.value);
  if ("photo" in answer) return answer.key + ": " + answer.photo;
  if ("preset" in answer) return "preset " + answer.preset + " applied";
  if ("name" in answer) return "theme " + answer.name + " imported";
  return "done";
}

function hexOf(input, opacity) {
  const alpha = opacity ? Number(opacity.value).toString(16).padStart(2, "0") : "ff";
  return (input.value.slice(1) + alpha).toUpperCase();
}

function rowControl(row) {
  const cell = row.cell || "";
  if (row.menu) {
    const select = el("select", { "data-key": row.key, onchange: () => change("/api/choose", { key: row.key, entry: select.value }) });
    row.menu.entries.forEach((entry, at) => select.append(el("option", { value: entry, selected: at === row.menu.chosen }, entry)));
    return [select];
  }
  if (cell.includes("Switch")) {
    const toggle = el("input", { type: "checkbox", class: "toggle", "data-key": row.key, checked: row.value === "on" });
    toggle.addEventListener("change", () => change("/api/set", { key: row.key, value: toggle.checked }));
    return [toggle];
  }
  if (cell.includes("ColorPicker")) {
    const hex = /^[0-9A-F]{8}$/i.test(row.value) ? row.value : "000000FF";
    const colour = el("input", { type: "color", "data-key": row.key, value: "#" + hex.slice(0, 6).toLowerCase() });
    const parts = [el("span", { class: "value" }, hex), colour];
    let opacity = null;
    if (row.opacity) {
      opacity = el("input", { type: "range", min: 0, max: 255, value: parseInt(hex.slice(6), 16), "data-opacity": row.key, title: "opacity" });
      opacity.addEventListener("change", () => change("/api/pick-colour", { key: row.key, colour: hexOf(colour, opacity), alpha: true }));
      parts.push(opacity);
    }
    colour.addEventListener("change", () => change("/api/pick-colour", { key: row.key, colour: hexOf(colour, opacity), alpha: Boolean(opacity) }));
    return parts;
  }
  if (cell.includes("ImagePicker")) {
    const choose = el("select", { "data-photo": row.key }, el("option", { value: "" }, "photo…"));
    for (const photo of state.photos) choose.append(el("option", { value: photo.name }, photo.name));
    choose.addEventListener("change", () => choose.value && change("/api/pick-image", { key: row.key, photo: choose.value }));
    const upload = el("input", { type: "file", accept: "image/jpeg,image/png", "data-upload": row.key });
    upload.addEventListener("change", () => {
      const file = upload.files[0];
      if (file) change("/api/pick-image?key=" + encodeURIComponent(row.key), file, file.type || "application/octet-stream");
    });
    return [el("span", { class: "value" }, row.value), choose, upload];
  }
  if (row.value.startsWith("opens ")) {
    return [el("span", { class: "value" }, "›")];
  }
  return [el("span", { class: "value" }, row.value)];
}

function renderRow(row, into) {
  if (row.group) {
    if (row.title) into.append(el("h3", {}, row.title));
    return;
  }
  const line = el("div", { class: "row", "data-row": row.key || row.title }, el("span", { class: "title" }, row.title));
  if (row.info) {
    const note = el("div", { class: "info-text", hidden: true });
    line.append(el("button", {
      type: "button", class: "info", title: "about this setting", "data-info": row.key,
      onclick: async () => {
        try {
          const alert = await request("/api/info?key=" + encodeURIComponent(row.key));
          note.textContent = alert.title + ": " + alert.message;
          note.hidden = !note.hidden;
        } catch (failure) { showStatus(failure.message, true); }
      },
    }, "i"));
    line.append(...rowControl(row));
    into.append(line, note);
    return;
  }
  line.append(...rowControl(row));
  into.append(line);
}

function renderPages(answer) {
  const holder = document.getElementById("pages");
  holder.replaceChildren();
  for (const page of answer.pages) {
    const rows = el("div", { class: "rows" });
    for (const row of page.rows) renderRow(row, rows);
    const shot = el("img", { class: "shot", alt: page.title + " as the Settings app draws it", src: "/api/pages/" + page.name + ".png?v=" + encodeURIComponent(state.version) });
    holder.append(el("section", { class: "page", id: "page-" + page.name, "data-page": page.name }, el("h2", {}, page.title), rows, shot));
  }
}

async function loadScreen(name) {
  const figure = document.getElementById("screen-" + name);
  const img = figure.querySelector("img");
  const caption = figure.querySelector("figcaption");
  const version = state.version;
  const url = "/api/screens/" + name + ".png?appearance=" + state.appearance + "&scale=2&v=" + encodeURIComponent(version);
  try {
    const response = await fetch(url);
    if (!response.ok) throw new Error((await response.json()).error);
    const took = response.headers.get("X-Redraw-Milliseconds");
    await new Promise((resolve) => { img.onload = img.onerror = resolve; img.src = url; });
    img.dataset.version = version + "/" + state.appearance;
    caption.textContent = name + " · " + state.appearance + " · redrawn in " + Math.round(Number(took)) + " ms";
  } catch (failure) {
    caption.textContent = name + ": " + failure.message;
  }
}

function renderScreens() {
  const holder = document.getElementById("screens");
  holder.replaceChildren();
  for (const name of screenNames)
    holder.append(el("figure", { id: "screen-" + name }, el("img", { alt: "Messages: " + name, "data-screen": name }), el("figcaption", {}, name)));
}

async function loadContrast() {
  const answer = await request("/api/contrast");
  const body = document.querySelector("#contrast tbody");
  body.replaceChildren();
  for (const pair of answer.pairs) {
    const suggestion = pair.suggestion
      ? el("button", { type: "button", "data-suggest": pair.text, onclick: () => change("/api/pick-colour", { key: pair.text, colour: pair.suggestion, alpha: true }) },
          el("span", { class: "swatch", style: false }), " " + pair.suggestion)
      : "";
    if (pair.suggestion) suggestion.firstChild.dataset.colour = pair.suggestion;
    body.append(el("tr", { class: pair.under ? "fail" : "" },
      el("td", {}, pair.text + " on " + pair.background), el("td", {}, pair.ratio.toFixed(2)), el("td", {}, pair.level), el("td", {}, suggestion)));
  }
  document.querySelectorAll("#contrast .swatch").forEach((swatch) => { swatch.style.background = "#" + swatch.dataset.colour.slice(0, 6); });
  document.getElementById("unchecked").textContent = answer.unchecked.map((screen) => "not checked: text over the " + screen + " wallpaper").join("; ");
}

async function loadDoctor() {
  const answer = await request("/api/doctor");
  const list = document.getElementById("doctor");
  list.replaceChildren();
  for (const finding of answer.findings)
    list.append(el("li", { class: finding.verdict }, finding.verdict + ": " + finding.text + (finding.fix ? "; fix: " + finding.fix : "")));
}

// Everything the settings decide, read again; pictures only when they changed.
async function refresh(force) {
  const { version } = await request("/api/version");
  if (!force && version === state.version) return;
  state.version = version;
  state.photos = (await request("/api/photos")).photos;
  renderPages(await request("/api/pages"));
  await Promise.all([...screenNames.map(loadScreen), loadContrast(), loadDoctor()]);
  document.body.dataset.version = state.version;
}

async function loadPresets() {
  const select = document.getElementById("preset");
  for (const preset of (await request("/api/presets")).presets)
    select.append(el("option", { value: preset.name }, preset.name + (preset.note ? " — " + preset.note : "")));
}

let importing = null;
async function previewImport() {
  const file = document.getElementById("import").files[0];
  if (!file) return;
  importing = file;
  const replace = document.getElementById("import-replace").checked ? 1 : 0;
  try {
    const diff = await request("/api/theme/import?replace=" + replace, {
      method: "POST", headers: { "Content-Type": "application/x-plist", "X-Vantorel-Token": token }, body: file,
    });
    document.getElementById("import-name").textContent = diff.name;
    const list = document.getElementById("import-changes");
    list.replaceChildren(...(diff.changes.length ? diff.changes.map((c) => el("li", {}, c.what + ": " + (c.before ?? "(not set)") + " → " + (c.after ?? "(not set)"))) : [el("li", {}, "no change")]));
    document.getElementById("import-diff").hidden = false;
  } catch (failure) {
    showStatus(failure.message, true);
  }
}

function start() {
  renderScreens();
  document.querySelectorAll('input[name="appearance"]').forEach((radio) => radio.addEventListener("change", () => {
    state.appearance = radio.value;
    screenNames.forEach(loadScreen);
  }));
  document.getElementById("preset-apply").addEventListener("click", () => change("/api/theme/apply", {
    preset: document.getElementById("preset").value, replace: document.getElementById("preset-replace").checked,
  }));
  document.getElementById("import").addEventListener("change", previewImport);
  document.getElementById("import-replace").addEventListener("change", previewImport);
  document.getElementById("import-cancel").addEventListener("click", () => { document.getElementById("import-diff").hidden = true; });
  document.getElementById("import-confirm").addEventListener("click", async () => {
    document.getElementById("import-diff").hidden = true;
    const replace = document.getElementById("import-replace").checked ? 1 : 0;
    await change("/api/theme/import?confirm=1&replace=" + replace, importing, "application/x-plist");
  });
  loadPresets().catch((failure) => showStatus(failure.message, true));
  refresh(true).catch((failure) => showStatus(failure.message, true));
  // Another tab's change (or the command line's) shows here within a moment.
  setInterval(() => { if (!state.busy) refresh(false).catch(() => {}); }, 1500);
}

start();
