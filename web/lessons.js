// Lessons on the page, as the desktop's lesson panel plays them: a view of
// the module's lesson player over the explorer's session. Each step opens
// its setup in the session; the step's text, with its numbers filled from
// the live table, is read back after every drawing of the explorer, so the
// numbers follow the student's edits. Everything a lesson holds is text and
// goes into the page as text, never as markup.
"use strict";

const Lessons = (() => {
  const element = App.element;
  const LARGEST_LESSON = 1 << 20; // bytes, as the desktop reads them

  const les = {
    lesson: null, // the module's lesson playing, or null
    text: "", // its text, to know a link to it again
    serial: 0, // counts the lessons played: a new lesson's step 1 is new
    shownStep: null, // "serial:step" of the question shown
    paragraphs: "", // the text shown, as JSON, not to touch it when the same
    builtins: [],
  };

  function init() {
    les.builtins = JSON.parse(Module.builtinLessonsJson());
    const list = element("ex-lessons");
    const tourList = element("tour-lesson-list");
    les.builtins.forEach((builtin, index) => {
      list.appendChild(button(builtin.title, () => choose(index)));
      tourList.appendChild(button(builtin.title, () => chooseFromTour(index)));
    });
    const on = (id, what) => element(id).addEventListener("click", what);
    on("ex-open-lesson", openLessonFile);
    on("lesson-back", () => go((lesson) => lesson.back()));
    on("lesson-continue", () => go((lesson) => lesson.next()));
    on("lesson-reset", resetStep);
    on("lesson-close", closedByStudent);
    on("tour-lessons", toggleTourMenu);
    element("ex-lesson-file").addEventListener("change", fileChosen);
    element("tour-lesson-list").addEventListener("keydown", (event) => {
      if (event.key === "Escape") {
        closeTourMenu();
        element("tour-lessons").focus();
      }
    });
    document.addEventListener("click", (event) => {
      if (!element("tour-lessons").parentElement.contains(event.target)) {
        closeTourMenu();
      }
    });
    Explorer.onRender(render);
  }

  function button(text, action) {
    const item = document.createElement("button");
    item.type = "button";
    item.textContent = text;
    item.addEventListener("click", action);
    return item;
  }

  // --- Playing and dropping a lesson.

  // Plays the lesson's text from its first step: "" or what is wrong with
  // it, one problem a line, and then nothing has changed.
  function play(text) {
    const problems = Module.lessonProblems(text);
    if (problems) {
      return problems;
    }
    drop(); // first: the player going lets the stations move again
    const lesson = new Module.Lesson(Explorer.session(), text);
    if (!lesson.ok) {
      const late = lesson.problems;
      lesson.delete();
      return late;
    }
    les.lesson = lesson;
    les.text = text;
    les.serial += 1;
    les.shownStep = null;
    les.paragraphs = "";
    Explorer.forgetFile();
    element("lesson").hidden = false;
    element("explorer").classList.add("has-lesson");
    Files.showLesson(encodeURIComponent(text));
    Explorer.refresh();
    render();
    return "";
  }

  function drop() {
    if (les.lesson) {
      les.lesson.delete();
      les.lesson = null;
      les.text = "";
    }
  }

  // Stops the lesson; the explorer keeps what it shows.
  function close() {
    if (!les.lesson) {
      return;
    }
    drop();
    element("lesson").hidden = true;
    element("explorer").classList.remove("has-lesson");
    Files.showLesson(null);
    Explorer.refresh();
  }

  function closedByStudent() {
    close();
    element("ex-open-lesson").focus();
  }

  // A built-in lesson, chosen from the list; unsaved changes are asked
  // about first, as before opening a setup.
  async function choose(index) {
    if (await Files.mayDropChanges()) {
      play(les.builtins[index].text);
      element("lesson-continue").focus();
    }
  }

  function chooseFromTour(index) {
    closeTourMenu();
    App.go("explorer");
    choose(index);
  }

  function toggleTourMenu() {
    const list = element("tour-lesson-list");
    if (list.hidden) {
      list.hidden = false;
      element("tour-lessons").setAttribute("aria-expanded", "true");
      list.querySelector("button").focus();
    } else {
      closeTourMenu();
    }
  }

  function closeTourMenu() {
    element("tour-lesson-list").hidden = true;
    element("tour-lessons").setAttribute("aria-expanded", "false");
  }

  // --- Files and links.

  async function openLessonFile() {
    if (await Files.mayDropChanges()) {
      const input = element("ex-lesson-file");
      input.value = "";
      input.click();
    }
  }

  function problemLines(problems) {
    return problems.split("\n").filter((line) => line !== "");
  }

  async function fileChosen() {
    const file = await Files.chosenText("ex-lesson-file", "a lesson");
    if (!file) {
      return;
    }
    const problems = play(file.text);
    if (problems) {
      Explorer.alert([`Cannot open the lesson ${file.name}:`, ...problemLines(problems)].join("\n"));
      return;
    }
    Explorer.say(`Opened the lesson ${file.name}.`);
  }

  // A link's lesson, the address's part after "#lesson=": played unless it
  // is the one playing; a bad one says what is wrong and changes nothing.
  function openLink(part, first) {
    let text = null;
    let problems;
    try {
      text = decodeURIComponent(part);
    } catch (error) {
      problems = "the link's lesson is not properly encoded (a % not followed by two hexadecimal digits)";
    }
    if (text !== null && les.lesson && text === les.text) {
      return;
    }
    if (text !== null && text.length > LARGEST_LESSON) {
      problems = "the link's lesson is too large for a lesson (over 1 MB)";
    }
    problems = problems || play(text);
    if (!problems) {
      return;
    }
    let kept = "The setup shown has not changed.";
    if (first) {
      kept = "The explorer shows the default setup.";
    } else if (les.lesson) {
      kept = "The lesson playing has not changed.";
    }
    Explorer.alert(["This link's lesson cannot be opened:", ...problemLines(problems), kept].join("\n"));
  }

  // --- The student's gestures.

  function go(action) {
    if (les.lesson) {
      action(les.lesson);
      Explorer.refresh();
      render();
      keepFocus();
    }
  }

  function resetStep() {
    if (les.lesson) {
      les.lesson.resetStep();
      Explorer.refresh();
    }
  }

  function answer(choice) {
    if (les.lesson) {
      les.lesson.answer(choice);
      render();
      keepFocus();
    }
  }

  // A button that was pressed and is now disabled (Continue at the end, a
  // choice once answered) hands the focus on to the one to press next.
  function keepFocus() {
    const active = document.activeElement;
    if (active === null || active === document.body || active.disabled) {
      const onward = element("lesson-continue");
      (onward.disabled ? element("lesson-back") : onward).focus();
    }
  }

  // --- Showing the lesson.

  function setText(id, text) {
    const target = element(id);
    if (target.textContent !== text) {
      target.textContent = text;
    }
  }

  function endText(shown) {
    return shown.questions === 0 ? "You have worked through every step."
      : `You answered ${shown.rightAnswers} of ${shown.questions} questions right.`;
  }

  // After every drawing of the explorer and every gesture of the lesson.
  // While the table waits for rows the numbers shown stay, as the table's.
  function render(view = Explorer.view()) {
    if (!les.lesson) {
      return;
    }
    const shown = JSON.parse(les.lesson.view(App.decimalSeparator()));
    const step = `${les.serial}:${shown.step}`;
    if (view && !view.tableReady && step === les.shownStep) {
      return;
    }
    setText("lesson-title", shown.title);
    // Only a new label is set, so that it is announced once.
    setText("lesson-step", shown.atEnd ? "The end of the lesson" : shown.label);
    showParagraphs(shown.atEnd ? [endText(shown)] : shown.paragraphs);
    if (step !== les.shownStep) {
      les.shownStep = step;
      buildQuestion(shown.question);
    }
    showAnswer(shown.question);
    element("lesson-back").disabled = shown.step === 0;
    element("lesson-continue").disabled = shown.atEnd;
    element("lesson-reset").disabled = shown.atEnd;
  }

  function showParagraphs(paragraphs) {
    const key = JSON.stringify(paragraphs);
    if (key === les.paragraphs) {
      return;
    }
    les.paragraphs = key;
    element("lesson-text").replaceChildren(...paragraphs.map((text) => {
      const paragraph = document.createElement("p");
      paragraph.textContent = text;
      return paragraph;
    }));
  }

  function buildQuestion(question) {
    const box = element("lesson-question");
    const choices = element("lesson-choices");
    box.hidden = question === null;
    setText("lesson-ask", question === null ? "" : question.ask);
    setText("lesson-feedback", "");
    choices.replaceChildren();
    if (question === null) {
      return;
    }
    question.choices.forEach((choice, index) => {
      const item = document.createElement("button");
      item.type = "button";
      item.className = "ex-lesson-choice";
      const label = document.createElement("span");
      label.textContent = choice;
      const mark = document.createElement("span");
      mark.className = "ex-lesson-mark";
      mark.setAttribute("aria-hidden", "true");
      const note = document.createElement("span");
      note.className = "visually-hidden";
      item.append(label, mark, note);
      item.addEventListener("click", () => answer(index));
      choices.appendChild(item);
    });
  }

  // Once answered: the answer given and the right one marked, the choices
  // closed, and "Right." or "Not quite." with the explanation.
  function showAnswer(question) {
    if (question === null || question.given === null) {
      return;
    }
    element("lesson-choices").querySelectorAll(".ex-lesson-choice").forEach((item, index) => {
      const given = index === question.given;
      const right = index === question.answer;
      item.disabled = true;
      item.classList.toggle("given", given);
      item.classList.toggle("right", right);
      item.classList.toggle("wrong", given && !right);
      item.querySelector(".ex-lesson-mark").textContent = right ? "\u2713" : given ? "\u2717" : "";
      let note = "";
      if (given && right) {
        note = " (your answer, right)";
      } else if (given) {
        note = " (your answer, wrong)";
      } else if (right) {
        note = " (the right answer)";
      }
      item.querySelector(".visually-hidden").textContent = note;
    });
    setText("lesson-feedback", `${question.right ? "Right." : "Not quite."} ${question.explain}`);
  }

  return {
    init,
    openLink,
    close,
    playing: () => les.lesson !== null,
  };
})();
