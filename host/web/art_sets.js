// The page's art sets (packed by art_sets.cmake): the game draws its pictures at one of three factors, chosen
// from its window's size, the canvas's drawing size here: above 1230 pixels on either side, factor 4; above 630,
// factor 2; else 1 (the game's own rule, game/loader.cpp). Each factor's pictures are a package of their own,
// art-F.data with art-F.json saying where each file lies in it, and the page fetches only those it needs:
// - before the program starts, the set of the canvas's size then (a run dependency of the program's start);
// - when the canvas takes a size of another factor (full screen, a turned phone), the set of that factor. Until
//   its files are written, the canvas and the window's size as the game reads it (glfw2.cpp asks
//   artSets.grantSize) stay the last ones whose set was there, so the game never reloads its art at a factor
//   whose files are missing; the moment they are there, the canvas takes the new size, and the game sees it and
//   reloads.
// A set that fails to download before the start stops the page with a message; one that fails later leaves the
// game at its old size and is fetched again at the next size check a few seconds on.
Module['artSets'] = (function () {
  var kRetryMs = 5000;
  var present = {};   // factor -> true once its files are in the file system
  var fetching = {};  // factor -> true while its package downloads
  var failedAt = {};  // factor -> when its last download failed
  var granted = null; // [width, height]: the size the game last read

  function factorFor(width, height) {
    var side = Math.max(width, height);
    if (side > 1230) return 4;
    if (side > 630) return 2;
    return 1;
  }

  function download(name, kind) {
    var failed = function (why) { return new Error(name + ' could not be downloaded (' + why + ')'); };
    return fetch(name).catch(function (error) { throw failed(error.message); }).then(function (response) {
      if (!response.ok) throw failed('status ' + response.status);
      return kind === 'json' ? response.json() : response.arrayBuffer();
    });
  }

  function writeFiles(list, bytes) {
    var data = new Uint8Array(bytes);
    list.files.forEach(function (file) {
      var folder = file.filename.substring(0, file.filename.lastIndexOf('/'));
      FS.mkdirTree(folder);
      FS.writeFile(file.filename, data.subarray(file.start, file.end));
    });
  }

  // Resolves once the set of `factor` is in the file system.
  function fetchSet(factor) {
    fetching[factor] = true;
    var name = 'art-' + factor;
    return Promise.all([download(name + '.json', 'json'), download(name + '.data', 'data')]).then(function (both) {
      writeFiles(both[0], both[1]);
      present[factor] = true;
      fetching[factor] = false;
    }, function (error) {
      fetching[factor] = false;
      failedAt[factor] = Date.now();
      throw error;
    });
  }

  // The canvas's drawing size once the program runs: on a touch screen its place on the page times the pixel
  // ratio (touch_screen.cpp fits it so), elsewhere the size it has.
  function startSize(canvas) {
    if (typeof matchMedia !== 'function' || !matchMedia('(pointer: coarse)').matches) return [canvas.width, canvas.height];
    var place = canvas.getBoundingClientRect();
    var ratio = window.devicePixelRatio || 1;
    return [Math.round(place.width * ratio), Math.round(place.height * ratio)];
  }

  // The start: the set of the canvas's size then, before the program runs.
  Module['preRun'] = [].concat(Module['preRun'] || [], function fetchStartSet() {
    var canvas = Module['canvas'];
    granted = startSize(canvas);
    var factor = factorFor(granted[0], granted[1]);
    addRunDependency('art-' + factor);
    fetchSet(factor).then(function () {
      removeRunDependency('art-' + factor);
    }, function (error) {
      // Thrown outside the promise, so the page's error handler names the failure.
      setTimeout(function () { throw error; });
    });
  });

  // While a set downloads, the canvas's drawing size is put back to the granted one (the page scales it to the
  // canvas's place), so the game draws the whole picture at its old size, not its old size in a corner of a
  // larger canvas; `wanted` is the size to give the canvas back once the set is there. A change of full screen
  // meanwhile sets the canvas anew, so it cancels that.
  var wanted = null;
  document.addEventListener('fullscreenchange', function () { wanted = null; });

  function hold(canvas, width, height) {
    wanted = [width, height];
    canvas.width = granted[0];
    canvas.height = granted[1];
  }

  function release(canvas) {
    if (!wanted || !present[factorFor(wanted[0], wanted[1])]) return;
    if (canvas.width === granted[0] && canvas.height === granted[1]) {
      canvas.width = wanted[0];
      canvas.height = wanted[1];
    }
    wanted = null;
  }

  return {
    factorFor: factorFor,
    // The size the game may see for a canvas of width x height: that size once its set is present (fetching
    // it if not), the last size granted meanwhile, with the canvas held at that size.
    grantSize: function (width, height) {
      var canvas = Module['canvas'];
      release(canvas);
      if (canvas.width !== width || canvas.height !== height) {
        width = canvas.width;
        height = canvas.height;
      }
      var factor = factorFor(width, height);
      if (present[factor] || !granted) {
        granted = [width, height];
        return granted;
      }
      var retry = !failedAt[factor] || Date.now() - failedAt[factor] > kRetryMs;
      if (!fetching[factor] && retry) fetchSet(factor).catch(function (error) { console.warn(error.message); });
      hold(canvas, width, height);
      return granted;
    },
  };
})();
