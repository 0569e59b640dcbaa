// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The web build's copy of the panel in the page sends each press or edit there to the
// program as it is: the element names its widget in its data-control attribute, and the
// program decides what the press or the edit does.
addToLibrary({
  listen_to_readings: function () {
    const root = document.getElementById('readings');
    const send = (element, value) => {
      const control = element.closest('[data-control]');
      if (control) Module.pageReadingsAct(control.dataset.control, value);
    };
    root.addEventListener('click', e => {
      if (e.target.closest('button')) send(e.target, '');
    });
    root.addEventListener('input', e => send(e.target, e.target.value));
    // While a message box is open the focus stays in it, on its OK, as in the window:
    // Qt's canvas takes the focus when it shows the box.
    document.addEventListener('focusin', () => {
      const dialog = root.querySelector('[role=alertdialog]');
      if (!dialog.hidden && !dialog.contains(document.activeElement)) {
        dialog.querySelector('button').focus();
      }
    });
    // Escape closes a message box, as in the window.
    root.addEventListener('keydown', e => {
      if (e.key === 'Escape' && e.target.closest('[role=alertdialog]')) send(e.target, '');
    });
  },
});
