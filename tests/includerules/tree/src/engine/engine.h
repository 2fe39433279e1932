#pragma once
int engine();
