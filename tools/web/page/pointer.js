// The game's pointer, fed by the page's Pointer Events: each move and each
// change of the buttons is queued as a state {x, y, b, away} in the game's
// 800 x 600 coordinates (b: 1 left, 2 right, 4 middle, as the game reads
// them; away: the pointer is off the picture, so it covers nothing); the
// game takes the queue in once a frame.
//
// A mouse or pen: only a press that begins on the picture is a press in the
// game; the picture then captures the pointer, so the release ends it
// wherever it happens. A pointer that comes onto the picture with a button
// already held only moves the game's pointer. Off the picture, and over the
// page's own buttons, the game's pointer is away.
//
// A finger on the picture plays as the mouse: a tap is a click; a finger
// that moves more than STILL_PX before LONG_PRESS_MS is the left button held
// from where it went down, so a drag uncovers the cells it crosses; a finger
// held still for LONG_PRESS_MS is the right button until it lifts. A second
// finger ends that and pinches or pans the picture (PictureZoom). Once the
// fingers lift, the game's pointer is away: it hides no cell or control.
'use strict';

var GamePointer = (function () {
  var LONG_PRESS_MS = 500;
  var STILL_PX = 8;  // how far a finger may drift and still tap or long-press, in page pixels

  var queue = [];
  var state = { x: 0, y: 0, b: 0, away: false };
  var canvas = null;
  var pressing = null;  // the mouse or pen whose press began on the picture
  var fingers = [];     // the touches on the stage: {id, x, y}, in order
  var gesture = null;   // the first finger's: {mode, x0, y0, timer}; mode
                        // 'wait', 'drag', 'long', 'off' (began beside the
                        // picture) or 'pinch' (until every finger lifts)

  // The picture's pixel under the page point (clientX, clientY), kept inside it.
  function gamePoint(clientX, clientY) {
    var r = canvas.getBoundingClientRect();
    var x = Math.floor((clientX - r.left) * canvas.width / r.width);
    var y = Math.floor((clientY - r.top) * canvas.height / r.height);
    return {
      x: Math.min(Math.max(x, 0), canvas.width - 1),
      y: Math.min(Math.max(y, 0), canvas.height - 1)
    };
  }

  // Whether the picture shows at the page point (not covered, not clipped away).
  function onPicture(clientX, clientY) {
    return document.elementFromPoint(clientX, clientY) === canvas;
  }

  function send(next) {
    state = next;
    queue.push(state);
  }

  // The pointer at the page point with the given buttons (the same when undefined).
  function push(clientX, clientY, buttons) {
    var p = gamePoint(clientX, clientY);
    send({ x: p.x, y: p.y, b: buttons === undefined ? state.b : buttons & 7, away: false });
  }

  // The pointer off the picture, its buttons released.
  function away() {
    if (!state.away || state.b)
      send({ x: state.x, y: state.y, b: 0, away: true });
  }

  // A click of the game's right button where the pointer is (the page's
  // "Zpět"): it closes the help and leaves the results.
  function rightClick() {
    send({ x: state.x, y: state.y, b: 2, away: state.away });
    send({ x: state.x, y: state.y, b: 0, away: state.away });
  }

  // ---- a mouse or a pen

  function onPointerDown(e) {
    if (e.pointerType === 'touch')
      return;
    e.preventDefault();
    if (pressing === null) {
      pressing = e.pointerId;
      canvas.setPointerCapture(e.pointerId);
    }
    if (pressing === e.pointerId)
      push(e.clientX, e.clientY, e.buttons);
  }

  // Moves, and buttons pressed or released while another is held.
  function onPointerMove(e) {
    if (e.pointerType === 'touch')
      return;
    if (pressing === e.pointerId) {
      push(e.clientX, e.clientY, e.buttons);
      if (!e.buttons)
        pressing = null;
    } else if (pressing === null && e.target === canvas) {
      push(e.clientX, e.clientY, 0);
    }
  }

  // A release (or a press the browser took away) ends the press; released
  // off the picture, the game's pointer is away rather than at its edge.
  function onPointerEnd(e) {
    if (e.pointerType === 'touch' || pressing !== e.pointerId)
      return;
    var buttons = e.type === 'pointerup' ? e.buttons & 7 : 0;
    if (e.type === 'pointerup' && (buttons || onPicture(e.clientX, e.clientY)))
      push(e.clientX, e.clientY, buttons);
    else
      send({ x: state.x, y: state.y, b: buttons, away: true });
    if (!buttons)
      pressing = null;
  }

  function onPointerLeave(e) {
    if (e.pointerType !== 'touch' && pressing === null)
      away();
  }

  // ---- fingers

  function finger(id) {
    for (var i = 0; i < fingers.length; i++)
      if (fingers[i].id === id)
        return fingers[i];
    return null;
  }

  // The first finger's part in the game ends: a held button is released.
  function endPlay() {
    if (!gesture)
      return;
    clearTimeout(gesture.timer);
    if (gesture.mode === 'drag' || gesture.mode === 'long')
      push(fingers[0].x, fingers[0].y, 0);
  }

  function onTouchDown(e) {
    if (e.pointerType !== 'touch')
      return;
    e.preventDefault();
    if (fingers.length >= 2)
      return;
    fingers.push({ id: e.pointerId, x: e.clientX, y: e.clientY });
    if (fingers.length === 1) {
      gesture = { mode: e.target === canvas ? 'wait' : 'off', x0: e.clientX, y0: e.clientY };
      if (gesture.mode === 'wait') {
        push(e.clientX, e.clientY, 0);
        var held = gesture;
        held.timer = setTimeout(function () {
          if (held.mode !== 'wait')
            return;
          held.mode = 'long';
          push(held.x0, held.y0, 2);
        }, LONG_PRESS_MS);
      }
      return;
    }
    endPlay();
    gesture.mode = 'pinch';
    away();
    if (window.PictureZoom)
      PictureZoom.pinchStart(fingers[0], fingers[1]);
  }

  function onTouchMove(e) {
    var f = e.pointerType === 'touch' && finger(e.pointerId);
    if (!f)
      return;
    f.x = e.clientX;
    f.y = e.clientY;
    if (gesture.mode === 'pinch') {
      if (fingers.length === 2 && window.PictureZoom)
        PictureZoom.pinchMove(fingers[0], fingers[1]);
      return;
    }
    if (gesture.mode === 'wait' && Math.hypot(f.x - gesture.x0, f.y - gesture.y0) > STILL_PX) {
      clearTimeout(gesture.timer);
      gesture.mode = 'drag';
      push(gesture.x0, gesture.y0, 1);
    }
    if (gesture.mode === 'drag' || gesture.mode === 'long')
      push(f.x, f.y);
  }

  function onTouchEnd(e) {
    var f = e.pointerType === 'touch' && finger(e.pointerId);
    if (!f)
      return;
    if (gesture.mode === 'wait' && e.type === 'pointerup') {
      clearTimeout(gesture.timer);
      push(gesture.x0, gesture.y0, 1);
      push(gesture.x0, gesture.y0, 0);
    } else if (gesture.mode !== 'pinch') {
      endPlay();
    } else if (fingers.length === 2 && window.PictureZoom) {
      PictureZoom.pinchEnd();
    }
    fingers.splice(fingers.indexOf(f), 1);
    if (gesture.mode !== 'pinch' || !fingers.length) {
      gesture = null;
      fingers.length = 0;
      away();
    }
  }

  // stage: the picture's surroundings, where a pinch may begin too.
  function attach(picture, stage) {
    canvas = picture;
    canvas.addEventListener('pointerdown', onPointerDown);
    canvas.addEventListener('pointermove', onPointerMove);
    canvas.addEventListener('pointerup', onPointerEnd);
    canvas.addEventListener('pointercancel', onPointerEnd);
    canvas.addEventListener('lostpointercapture', onPointerEnd);
    canvas.addEventListener('pointerleave', onPointerLeave);
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    stage = stage || canvas;
    stage.addEventListener('pointerdown', onTouchDown);
    stage.addEventListener('pointermove', onTouchMove);
    stage.addEventListener('pointerup', onTouchEnd);
    stage.addEventListener('pointercancel', onTouchEnd);
  }

  return {
    queue: queue, push: push, away: away, rightClick: rightClick, attach: attach,
    state: function () { return state; }
  };
})();
