#pragma once
// The animation state that lives for the whole process. The running average
// frame rate, also part of it, is kept in settings.frames, where it is loaded
// and stored.

struct SceneState {
    float smoothedFps = 0; // drives phase and the drops' motion
    float phase = 0;       // radians, kept within [0, 2*pi)
    float pulse = 0;       // swings between about -50 and 100
    float pulseVelocity = 0.4f;
    float characterX = -0.3f; // upper-left corner of the character's sprite
    float characterY = -0.25f;
    float chaserX = -0.3f; // upper-left corner of the chasing character's sprite
    float chaserY = -0.25f;
    float logoX = -1.1f; // upper-left corner of the corner logo
    float logoY = 0.8f;
};

extern SceneState sceneState;
