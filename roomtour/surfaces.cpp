// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// roomtour's textured room shell and the pictures laid just in front of walls
// and furniture. No quad gives a normal of its own: each is lit with whatever
// normal is current when it is drawn.
#include "roomtour/placements.h"
#include "roomtour/room.h"
#include "roomtour/shapes.h"

#include <GL/gl.h>

namespace {

// The texture coordinates of every quad's four vertices, in vertex order.
const GLfloat kCorners[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};

void bind(const Quad &q) { glBindTexture(GL_TEXTURE_2D, q.texture); }

void batch(const Quad &q) {
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2fv(kCorners[i]);
    glVertex3fv(q.vertex[i]);
  }
  glEnd();
}

void draw_quad(const Quad &q) {
  bind(q);
  batch(q);
}

// The pictures that lie on furniture, placed by the furniture's own rows. A
// tinted picture takes its piece's colour; the others keep the white of the
// walls (the bookshelf's red would tint its front).
struct Picture {
  Model piece;
  bool tinted;
};

const Picture kPictures[] = {
    {kBookshelfModel, false},
    {kMonitorModel, true},
    {kBedModel, true},
};

void draw_picture(Model piece) {
  switch (piece) {
    case kBookshelfModel: drawBookshelfTexture(); break;
    case kMonitorModel: drawMonitorImage(); break;
    case kBedModel: drawQuilt(); break;
    default: break;
  }
}

}  // namespace

void drawWalls() {
  glPushMatrix();
  for (const Quad &face : kRoomFaces) {
    draw_quad(face);
  }
  glPopMatrix();
}

void drawWindow() {
  draw_quad(kBackWindow);
  draw_quad(kLeftWindow);
}

void drawDoor() { draw_quad(kDoor); }

void drawBookshelfTexture() {
  glPushMatrix();
  draw_quad(kBookshelfFront);
  glPopMatrix();
}

void drawMonitorImage() {
  glPushMatrix();
  draw_quad(kMonitorScreen);
  glPopMatrix();
}

void drawQuilt() {
  bind(kQuiltTop);
  glPushMatrix();
  batch(kQuiltTop);
  glPopMatrix();
}

// Under GL_MODULATE the current colour tints each picture: white leaves the
// room as it is, grey darkens the screen, brown tints the quilt.
void drawTexturedSurfaces() {
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

  glPushMatrix();
  glScalef(kRoomSize[0], kRoomSize[1], kRoomSize[2]);
  glColor3f(1, 1, 1);
  drawWalls();
  glPopMatrix();

  drawWindow();
  drawDoor();

  for (const Picture &picture : kPictures) {
    const Placement &p = kFurniture[picture.piece];
    glPushMatrix();
    if (picture.tinted) glColor3f(p.r, p.g, p.b);
    place(p);
    draw_picture(picture.piece);
    glPopMatrix();
  }

  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
}
