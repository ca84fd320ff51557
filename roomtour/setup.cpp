// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's one-time GL state: material, lights, capabilities, textures.
#include "loadtga/loadtga.h"
#include "roomtour/room.h"

#include <GL/gl.h>

namespace {

const GLfloat kAmbient[] = {1, 1, 1, 1};
const GLfloat kDiffuse[] = {1, 1, 1, 1};
const GLfloat kShininess = 5;
const GLfloat kSpecular[] = {0.1f, 0.1f, 0.1f, 1};

// Directional (w = 0). init runs once, right after the window opens, while
// the model-view matrix is still the identity, so the lights are fixed to the
// eye: the light always comes from up, right and towards the viewer. Light 1
// keeps GL's black default colours.
const GLfloat kLight0Position[] = {6.5f, 8, 5, 0};
const GLfloat kLight1Position[] = {6.5f, 0, 8, 0};

struct TextureFile {
  RoomTexture name;
  const char *path;
};

const TextureFile kTextureFiles[] = {
    {kCarpetTexture, "./img/carpet.tga"},       {kRockTexture, "./img/b2_rock.tga"},
    {kClosetTexture, "./img/closet.tga"},       {kBookshelfTexture, "./img/bookshelf.tga"},
    {kQuiltTexture, "./img/quilt.tga"},         {kBackWindowTexture, "./img/officebk.tga"},
    {kLeftWindowTexture, "./img/officert.tga"}, {kCeilingTexture, "./img/greenup.tga"},
    {kDesktopTexture, "./img/comp_desk.tga"},   {kDoorTexture, "./img/door.tga"},
};

}  // namespace

void init() {
  glClearColor(0, 0, 0, 0);
  glShadeModel(GL_SMOOTH);

  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, kAmbient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kDiffuse);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, kShininess);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kSpecular);

  glLightfv(GL_LIGHT0, GL_POSITION, kLight0Position);
  glLightfv(GL_LIGHT1, GL_POSITION, kLight1Position);

  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT, GL_DIFFUSE);

  // A file that fails prints its message and leaves its surface bare; the
  // rest still load.
  for (const TextureFile &t : kTextureFiles) {
    load_gl_tga(t.path, t.name);
  }
}
