// The replay tool under node plays the game without any OpenGL, as the native tool does when no
// context is current: every drawing call does nothing, and no list or texture is made.
(function () {
  var names = ['glBegin', 'glBindTexture', 'glBlendFunc', 'glCallLists', 'glClear',
    'glClearColor', 'glClearDepth', 'glColor3f', 'glDepthFunc', 'glDisable', 'glEnable', 'glEnd',
    'glGenTextures', 'glGetIntegerv', 'glHint', 'glLineWidth', 'glListBase', 'glLoadIdentity',
    'glMatrixMode', 'glOrtho', 'glPixelStorei', 'glPopAttrib', 'glPopMatrix', 'glPushAttrib',
    'glPushMatrix', 'glRasterPos2f', 'glRasterPos2i', 'glRotatef', 'glShadeModel',
    'glTexCoord2f', 'glTexImage2D', 'glTexParameteri', 'glTranslatef', 'glVertex3f',
    'glViewport', 'gluPerspective'];
  var library = {
    // No lists: the fonts are never built.
    glGenLists: function () { return 0; },
  };
  names.forEach(function (name) {
    library[name] = function () {};
  });
  mergeInto(LibraryManager.library, library);
})();
