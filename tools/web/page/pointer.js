// The mouse over the game's picture, for the game's own pointer: each move
// and each change of the buttons is queued as a state {x, y, b} in the
// game's 800 x 600 coordinates (b: 1 left, 2 right, 4 middle, as the game
// reads them); the game takes the queue in once a frame. The right button
// never opens the browser's menu over the picture. A finger on a touch
// screen works the buttons too (attachTouch).
'use strict';

var GamePointer = (function () {
  var queue = [];
  var state = { x: 0, y: 0, b: 0 };

  // The picture's pixel under the page point (clientX, clientY), kept inside it.
  function gamePoint(canvas, clientX, clientY) {
    var r = canvas.getBoundingClientRect();
    var x = Math.floor((clientX - r.left) * canvas.width / r.width);
    var y = Math.floor((clientY - r.top) * canvas.height / r.height);
    return {
      x: Math.min(Math.max(x, 0), canvas.width - 1),
      y: Math.min(Math.max(y, 0), canvas.height - 1)
    };
  }

  // Queues a new state: the point, and the buttons when given.
  function push(canvas, clientX, clientY, buttons) {
    var p = gamePoint(canvas, clientX, clientY);
    state = { x: p.x, y: p.y, b: buttons === undefined ? state.b : buttons & 7 };
    queue.push(state);
  }

  function attach(canvas) {
    function onMouse(e) {
      if (e.type === 'mousedown' && e.target !== canvas)
        return;
      // A press or release outside the picture still counts once begun there.
      if (e.target !== canvas && state.b === 0 && e.buttons === 0 && e.type === 'mousemove')
        return;
      push(canvas, e.clientX, e.clientY, e.buttons);
      if (e.target === canvas)
        e.preventDefault();
    }
    canvas.addEventListener('mousedown', onMouse);
    window.addEventListener('mousemove', onMouse);
    window.addEventListener('mouseup', onMouse);
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    attachTouch(canvas);
  }

  // A finger on the picture: a tap is a click of the left button where the
  // finger lifts; a press held LONG_PRESS_MS without moving away is the right
  // button, down until the finger lifts (it hides the help and leaves the
  // results). One finger counts at a time; the page neither scrolls nor
  // zooms under it, and the browser makes no mouse events of its own.
  var LONG_PRESS_MS = 500;
  var STILL_PX = 12;  // how far a long press may drift, in page pixels

  function attachTouch(canvas) {
    var finger = null;  // {id, x0, y0, x, y, timer, long}

    function ours(e) {
      for (var i = 0; i < e.changedTouches.length; i++)
        if (finger && e.changedTouches[i].identifier === finger.id)
          return e.changedTouches[i];
      return null;
    }
    function start(e) {
      e.preventDefault();
      if (finger)
        return;
      var t = e.changedTouches[0];
      finger = { id: t.identifier, x0: t.clientX, y0: t.clientY, x: t.clientX, y: t.clientY, long: false };
      push(canvas, t.clientX, t.clientY, 0);
      var held = finger;
      finger.timer = setTimeout(function () {
        held.long = true;
        push(canvas, held.x, held.y, 2);
      }, LONG_PRESS_MS);
    }
    function move(e) {
      var t = ours(e);
      if (!t)
        return;
      e.preventDefault();
      finger.x = t.clientX;
      finger.y = t.clientY;
      if (!finger.long && Math.hypot(finger.x - finger.x0, finger.y - finger.y0) > STILL_PX)
        clearTimeout(finger.timer);
      push(canvas, finger.x, finger.y);
    }
    function end(e) {
      var t = ours(e);
      if (!t)
        return;
      e.preventDefault();
      clearTimeout(finger.timer);
      if (finger.long) {
        push(canvas, t.clientX, t.clientY, 0);
      } else if (e.type === 'touchend') {
        push(canvas, t.clientX, t.clientY, 1);
        push(canvas, t.clientX, t.clientY, 0);
      }
      finger = null;
    }
    canvas.addEventListener('touchstart', start, { passive: false });
    canvas.addEventListener('touchmove', move, { passive: false });
    canvas.addEventListener('touchend', end, { passive: false });
    canvas.addEventListener('touchcancel', end, { passive: false });
  }

  return { queue: queue, push: push, attach: attach, state: function () { return state; } };
})();
