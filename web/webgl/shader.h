// SPDX-FileCopyrightText: 2026 the roomtour-planets authors
// SPDX-License-Identifier: MIT
// The layer's shaders: GL 1.1's vertex stage (the model-view and projection,
// lighting, the colour clamped) and GL_MODULATE texturing. Plain text for
// WebGL's shading language, GLSL ES 1.00, which desktop GL compiles too.
#ifndef WEB_WEBGL_SHADER_H
#define WEB_WEBGL_SHADER_H

extern const char *const kVertexShader;
extern const char *const kFragmentShader;
// The explorer's: the same, or another look at it (webgl.h's Look).
extern const char *const kExplorerFragmentShader;
// Without lighting: the matrices, and the colour clamped.
extern const char *const kPlainVertexShader;
// For vertices already in clip space and coloured by the CPU path: cut at the
// near plane, or lit flat.
extern const char *const kClipVertexShader;

// Where each vertex attribute is bound, and its name in the shaders by the
// same index.
enum Attribute { kPosition = 0, kNormal = 1, kColour = 2, kTexCoord = 3, kAttributeCount };
extern const char *const kAttributeNames[kAttributeCount];

#endif
