// Plays offline after the first visit: registers the service worker
// (sw.js), which keeps the page's files in the browser. Browsers allow one
// only on https and on this computer's own addresses; elsewhere, and when
// the browser refuses, the page simply needs the network as before.
'use strict';

if ('serviceWorker' in navigator && window.isSecureContext) {
  window.addEventListener('load', function () {
    navigator.serviceWorker.register('sw.js').catch(function (e) {
      console.warn('Hra nebude hratelná bez připojení: ' + e.message);
    });
  });
}
