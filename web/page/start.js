// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The Module that the program's script reads: the page's parts joined to the program.
var Module = {
  preRun: [function () {
    Module.FS.init(null, Page.output.print, Page.output.print);
    Page.pictures.unpack();
  }],
  onAbort: function (what) {
    Page.problem.show(Module.calledRun ? 'stopped' : 'load', what || 'abort() was called');
  },
  // What GLUT asks of the page (glut/glut.cpp): the only way it reaches up.
  hooks: {
    openWindow: Page.window.open,
    // The program is set up and draws next: the address's view first.
    listen: function () {
      Page.view.start();
      Page.actions.start();
      Page.describe.update();
      Page.window.listen();
      Page.input.listen();
      Page.gamepad.listen();
      Page.explorer.start();
      Page.outside.listen();
    },
    addMenuEntry: Page.menu.add,
    attachMenu: Page.menu.attach,
    frameDrawn: Page.window.frameDrawn,
    outsideRefused: function () { Page.outside.refused(); },
    cannotDraw: Page.problem.show,
  },
};
