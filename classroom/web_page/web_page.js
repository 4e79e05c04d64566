"use strict";
// Steps through the page's pictures and asks its questions. The page's data: its levels,
// each a list of steps (the group of the step's picture, its ground, its line, and where it
// lies at the other level), and the quiz's questions with their verdicts.
(() => {
  const data = JSON.parse(document.getElementById("page-data").textContent);
  const byId = (id) => document.getElementById(id);
  const levels = data.levels;
  const stepPicture = byId("step-picture");
  const quizPicture = byId("quiz-picture");
  if (levels.length < 2) {
    byId("steps").classList.add("one-level");
  }
  const single = levels.length === 1 && levels[0].steps.length === 1;

  // Shows one picture of an SVG element, its group over its ground, and hides the others.
  function showPicture(svg, picture) {
    for (const group of svg.querySelectorAll(":scope > g")) {
      if (group.id === picture.group || group.id === picture.ground) {
        group.removeAttribute("display");
      } else {
        group.setAttribute("display", "none");
      }
    }
  }

  // --- the steps
  let level = 0;
  let step = 0;
  const capitalised = (word) => word.charAt(0).toUpperCase() + word.slice(1);
  const levelNamed = (name) => levels.findIndex((l) => l.name === name);

  function show(newLevel, newStep, writeAddress = true) {
    level = newLevel;
    const steps = levels[level].steps;
    step = Math.max(0, Math.min(steps.length - 1, newStep));
    const shown = steps[step];
    showPicture(stepPicture, shown);
    byId("step-line").textContent = shown.line;
    stepPicture.querySelector("desc").textContent = shown.line;
    const name = levels[level].name;
    byId("position").textContent =
      (levels.length > 1 ? capitalised(name) + ", step " : "Step ") +
      (step + 1) + " of " + steps.length;
    byId("first").disabled = byId("previous").disabled = step === 0;
    byId("next").disabled = byId("last").disabled = step === steps.length - 1;
    byId("level").setAttribute("aria-pressed", String(name === "detail"));
    if (writeAddress && !single) {
      const address = "#" + (level === 0 ? "" : name + "&") + "step=" + (step + 1);
      try {
        history.replaceState(null, "", address);
      } catch (error) {
        // a frame may forbid changing the address; the page steps all the same
      }
    }
  }

  // A part of the address as it was meant; one that is not well-formed escaping (a lone "%")
  // stays as it was typed, so that no address keeps the page from opening.
  function decoded(part) {
    try {
      return decodeURIComponent(part);
    } catch (error) {
      return part;
    }
  }

  // "#step=3", "#detail&step=12": the level named, else the first, and the step, from 1.
  // Anything else in the address is passed over.
  function showAddressed() {
    let addressedLevel = 0;
    let addressedStep = 0;
    for (const part of location.hash.slice(1).split("&")) {
      const [key, value] = part.split("=").map(decoded);
      if (value === undefined && levelNamed(key) >= 0) {
        addressedLevel = levelNamed(key);
      } else if (key === "step" && /^\d+$/.test(value)) {
        addressedStep = Number(value) - 1;
      }
    }
    show(addressedLevel, addressedStep, false);
  }

  function switchLevel() {
    const other = levels[level].steps[step].other;
    if (levels.length > 1 && other !== undefined) {
      show(1 - level, other);
    }
  }

  byId("first").addEventListener("click", () => show(level, 0));
  byId("previous").addEventListener("click", () => show(level, step - 1));
  byId("next").addEventListener("click", () => show(level, step + 1));
  byId("last").addEventListener("click", () => show(level, levels[level].steps.length - 1));
  byId("level").addEventListener("click", switchLevel);
  window.addEventListener("hashchange", showAddressed);

  // --- the quiz
  const questions = data.questions;
  let asking = 0;
  let waiting = false;
  let answered = 0;
  let right = 0;
  const scoreText = () =>
    data.score.replace("{right}", String(right)).replace("{answered}", String(answered));

  function setQuizButtons() {
    byId("yes").disabled = byId("no").disabled = !waiting;
    byId("next-question").disabled = waiting;
  }

  function ask() {
    if (waiting || questions.length === 0) {
      return;
    }
    if (answered === questions.length) {
      answered = 0;
      right = 0;
    }
    asking = answered;
    waiting = true;
    showPicture(quizPicture, questions[asking].asked);
    byId("question").textContent =
      "Question " + (asking + 1) + " of " + questions.length + ": " + questions[asking].question;
    byId("verdict").textContent = scoreText();
    setQuizButtons();
  }

  function answer(edge) {
    if (!waiting) {
      return;
    }
    waiting = false;
    const question = questions[asking];
    const correct = edge === question.edge;
    answered += 1;
    right += correct ? 1 : 0;
    showPicture(quizPicture, question.answered);
    byId("verdict").textContent =
      (correct ? question.right : question.wrong) + " " + scoreText() +
      (answered === questions.length ? " " + data.roundOver : "");
    setQuizButtons();
  }

  byId("yes").addEventListener("click", () => answer(true));
  byId("no").addEventListener("click", () => answer(false));
  byId("next-question").addEventListener("click", ask);

  // --- the keys: the page's data says which button each key presses, named as the window's
  // keys are; a browser's own shortcuts pass
  document.addEventListener("keydown", (event) => {
    if (event.altKey || event.metaKey) {
      return;
    }
    const key = event.key.length === 1 && !event.shiftKey ? event.key.toLowerCase() : event.key;
    const named = (event.ctrlKey ? "Ctrl+" : "") + key;
    const pressed = data.keys[named] && byId(data.keys[named]);
    const onButton = event.target instanceof Element && event.target.closest("button");
    if (!pressed || (named === "Enter" && onButton)) {
      return;  // Return on a button presses that button
    }
    event.preventDefault();
    if (!pressed.disabled && pressed.getClientRects().length > 0) {  // shown and usable
      pressed.click();
    }
  });

  showAddressed();
  ask();
})();
