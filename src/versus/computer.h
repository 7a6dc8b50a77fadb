// The computer opponent playing side 2.
#pragma once

void ComputerStep();
void PlanComputerMove();
void PlanRandomColumn();
void ComputerStepRight();
void ComputerStepLeft();
void ComputerDrop();
