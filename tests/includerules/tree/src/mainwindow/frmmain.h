#pragma once
int frmmain();
