#pragma once

#include <memory>

// A hostile object of the play field. Each kind moves itself once per playing frame and raises
// `fireNow` in a frame it wants to shoot; render/ draws it by its kind. Everything that involves
// another object (hits, damage, the shots it fires) is done by the step.
class Enemy {
  public:
    // Comes in at the far end of the field at a random angle.
    Enemy();

    // One frame of movement and firing.
    virtual void update() = 0;
    // A copy of the whole enemy, of its own kind: a copied game plays on exactly.
    virtual std::unique_ptr<Enemy> clone() const = 0;
    virtual ~Enemy() = default;

    // Takes `amount` hit points; true when none are left. The caller stores the answer in `dead`.
    bool takeDamage(int amount);
    // The ship's angle, handed over every frame; only the boss steers by it.
    void setTargetAngle(float shipAngle);

    float getDepth() const { return depth; }
    float getAngle() const { return angle; }
    float getHalfWidth() const { return halfWidth; }
    float getHalfDepth() const { return halfDepth; }
    bool isFiring() const { return fireNow; }
    float getShotDepth() const { return shotDepth; }
    int getHitPoints() const { return hitPoints; }
    int getKindId() const { return kindId; }

  protected:
    float depth;
    float angle;
    const float startAngle;
    float halfWidth = 0.0f;
    float halfDepth = 0.0f;
    bool fireNow = false;
    // Meaningful only in a frame in which `fireNow` is set.
    float shotDepth = 0.0f;
    int hitPoints = 0;
    int kindId = 0;
    float targetAngle = 0.0f;

  public:
    // Set by the enemy once it has flown past the camera, and by the frame step from
    // `takeDamage`; the next removal pass deletes the enemy.
    bool dead = false;
};
