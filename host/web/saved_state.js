// The saved state's two copies in the browser, placed before the toolchain's script (--pre-js).
//
// The program keeps its state in /save/.tarsilstate, where the browser's IndexedDB is mounted; after each save
// keepSavedState() (called by host/web/platform.cpp) writes the folder back to IndexedDB. That write is
// asynchronous, and a tab closed at once cuts it off, so each save is also copied into localStorage, which
// takes it before the call returns. Each save is numbered, and both copies carry the number: the one in
// IndexedDB as the file .tarsilstate.order beside the state, written in the same transaction; the one in
// localStorage inside its entry. At start the copy with the higher number is what the program finds. A tie
// goes to IndexedDB: that is the copy the folder's own files and tools see, so a state placed there by hand
// is read as it was placed. A copy whose number cannot be read counts as never saved (number 0), so a damaged
// entry never hides an intact one; what the state itself holds, damaged or not, the game's checksums judge.
var savedState = {
  folder: '/save',                        // the program's working directory (host/web/platform.cpp)
  file: '/save/.tarsilstate',
  orderFile: '/save/.tarsilstate.order',  // the number of the save the IndexedDB copy holds
  key: 'quarzel/.tarsilstate',            // the localStorage entry: {"order": number, "state": the bytes}
  order: 0,                               // the highest save number this page has seen
};

// Bytes as a string of char codes 0..255 for JSON, and back; null when the string holds anything else.
function savedStateText(bytes) {
  var text = '';
  for (var i = 0; i < bytes.length; ++i) text += String.fromCharCode(bytes[i]);
  return text;
}

function savedStateBytes(text) {
  var bytes = new Uint8Array(text.length);
  for (var i = 0; i < text.length; ++i) {
    if (text.charCodeAt(i) > 255) return null;
    bytes[i] = text.charCodeAt(i);
  }
  return bytes;
}

function savedStateOrder(value) {
  return Number.isSafeInteger(value) && value > 0 ? value : 0;
}

// The localStorage copy as {order, bytes}, or null when there is none or it is damaged.
function keptStateCopy() {
  var entry = null;
  try {
    entry = JSON.parse(localStorage.getItem(savedState.key));
  } catch (error) {
    console.warn('the kept copy of the saved state is damaged and is not used: ' + error);
    return null;
  }
  if (!entry || typeof entry.state != 'string') return null;
  var bytes = savedStateBytes(entry.state);
  var order = savedStateOrder(entry.order);
  return bytes && order ? {order: order, bytes: bytes} : null;
}

// The number of the save the IndexedDB copy holds; 0 when it has none or it cannot be read.
function storedStateOrder() {
  try {
    var text = FS.readFile(savedState.orderFile, {encoding: 'utf8'});
    return /^[0-9]{1,15}$/.test(text) ? savedStateOrder(Number(text)) : 0;
  } catch (error) {
    return 0;
  }
}

// After IndexedDB has been read into the folder: the kept copy replaces the state file when it is newer.
function takeNewerSavedState() {
  var stored = storedStateOrder();
  var kept = keptStateCopy();
  savedState.order = Math.max(stored, kept ? kept.order : 0);
  if (!kept || kept.order <= stored) return;
  try {
    FS.writeFile(savedState.file, kept.bytes);
    FS.writeFile(savedState.orderFile, String(kept.order));
  } catch (error) {
    console.warn('the kept copy of the saved state could not be restored: ' + error);
  }
}

function mountSavedState() {
  FS.mkdir(savedState.folder);
  FS.mount(IDBFS, {}, savedState.folder);
  addRunDependency('stored state');
  FS.syncfs(true, function (error) {
    if (error) console.warn('the stored state could not be read: ' + error);
    takeNewerSavedState();
    removeRunDependency('stored state');
  });
}

// The program has just written the state file whole. The next number goes past any that another tab of the same
// page has given meanwhile.
function keepSavedState() {
  var kept = keptStateCopy();
  savedState.order = Math.max(savedState.order, kept ? kept.order : 0) + 1;
  try {
    var bytes = FS.readFile(savedState.file);
    FS.writeFile(savedState.orderFile, String(savedState.order));
    localStorage.setItem(savedState.key, JSON.stringify({order: savedState.order, state: savedStateText(bytes)}));
  } catch (error) {
    console.warn('the saved state could not be copied for a closing tab: ' + error);
  }
  FS.syncfs(false, function (error) {
    if (error) console.warn('the saved state could not be stored: ' + error);
  });
}

Module['preRun'] = [].concat(Module['preRun'] || [], [mountSavedState]);
