// Linked after the program's JavaScript (--post-js): a program whose main
// has waited for the browser at least once (every frame does) returns from
// main long after the browser first called it, and emscripten 3.1.6 then
// drops the return: the program would never end, and the page would never
// learn it. Here the return of such a main ends the program as exit() does
// (exit handlers, then Module.onExit). exit() called inside the program
// still ends it at once.
var callMainOnce = callMain;
callMain = function (args) {
  var status = callMainOnce(args);
  if (Asyncify.currData) {
    Asyncify.whenDone().then(function (returned) {
      try {
        exit(returned);
      } catch (e) {  // exit() ends by throwing ExitStatus, as it does inside main
        if (!(e instanceof ExitStatus))
          throw e;
      }
    }, function () {});
  }
  return status;
};
