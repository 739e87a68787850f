// Two fingers zoom the game's picture (from its fitted size up to 4 times)
// and pan it: the point between the fingers stays under them. The zoom is a
// CSS transform of the canvas, clipped by the stage; the picture never
// leaves a gap at an edge it could cover, and is centred where it is
// smaller than the stage. The game's pointer reads the transformed
// rectangle, so a finger plays the cell it touches at any zoom.
'use strict';

var PictureZoom = (function () {
  var MAX = 4;
  var canvas = null, stage = null;
  var zoom = 1, dx = 0, dy = 0;  // the scale, and the corner's shift from its fitted place (CSS px)
  var pinch = null;              // at the pinch's start: {zoom, px, py, spread}

  function middle(a, b) {
    var r = stage.getBoundingClientRect();
    return { x: (a.x + b.x) / 2 - r.left, y: (a.y + b.y) / 2 - r.top };
  }

  function spread(a, b) {
    return Math.max(Math.hypot(a.x - b.x, a.y - b.y), 1);
  }

  // The shift along one axis: the picture (at base, size long once zoomed)
  // covers the room where it is larger, and is centred where it is not.
  function fit(shift, base, size, room) {
    if (size <= room)
      return (room - size) / 2 - base;
    return Math.min(Math.max(base + shift, room - size), 0) - base;
  }

  function apply() {
    dx = fit(dx, canvas.offsetLeft, canvas.offsetWidth * zoom, stage.clientWidth);
    dy = fit(dy, canvas.offsetTop, canvas.offsetHeight * zoom, stage.clientHeight);
    canvas.style.transform = zoom === 1 ? '' : 'translate(' + dx + 'px, ' + dy + 'px) scale(' + zoom + ')';
  }

  // a, b: the two fingers' page points {x, y}.
  function pinchStart(a, b) {
    var m = middle(a, b);
    // The picture's point under the fingers, in its fitted CSS pixels.
    pinch = {
      zoom: zoom, spread: spread(a, b),
      px: (m.x - canvas.offsetLeft - dx) / zoom, py: (m.y - canvas.offsetTop - dy) / zoom
    };
  }

  function pinchMove(a, b) {
    if (!pinch)
      return;
    var m = middle(a, b);
    zoom = Math.min(Math.max(pinch.zoom * spread(a, b) / pinch.spread, 1), MAX);
    if (zoom < 1.02)
      zoom = 1;
    dx = m.x - canvas.offsetLeft - zoom * pinch.px;
    dy = m.y - canvas.offsetTop - zoom * pinch.py;
    apply();
  }

  function pinchEnd() {
    pinch = null;
  }

  // After the stage or the fitted picture changed size: the zoom stays, the
  // picture is kept over the stage.
  function refit() {
    if (canvas)
      apply();
  }

  function attach(picture, around) {
    canvas = picture;
    stage = around;
    canvas.style.transformOrigin = '0 0';
  }

  return {
    attach: attach, pinchStart: pinchStart, pinchMove: pinchMove, pinchEnd: pinchEnd, refit: refit,
    zoom: function () { return zoom; }
  };
})();
