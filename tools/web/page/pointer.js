// The mouse over the game's picture, for the game's own pointer: each move
// and each change of the buttons is queued as a state {x, y, b} in the
// game's 800 x 600 coordinates (b: 1 left, 2 right, 4 middle, as the game
// reads them); the game takes the queue in once a frame. The right button
// never opens the browser's menu over the picture.
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
  }

  return { queue: queue, push: push, attach: attach, state: function () { return state; } };
})();
