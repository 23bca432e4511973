// The page the corpus runner stands in for under Node.js (linked in front of its script): a document with the
// game's canvas, which takes a full screen request at once, as the fake window layer of the native tests does,
// and listeners that no event ever reaches.
var document = (function () {
  var page = {fullscreenElement: null};
  var canvas = {
    requestFullscreen: function () {
      page.fullscreenElement = canvas;
      return Promise.resolve();
    },
  };
  page.querySelector = function () { return canvas; };
  page.exitFullscreen = function () {
    page.fullscreenElement = null;
    return Promise.resolve();
  };
  page.addEventListener = function () {};
  page.removeEventListener = function () {};
  return page;
})();
