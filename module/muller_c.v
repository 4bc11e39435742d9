//
// NOVRA support cells: Muller C-elements.
//	muller_c_r : output 0 while reset is low (a stage that has not fired)
//	muller_c_s : output 1 while reset is low (a stage that starts as having fired)
// The output follows the inputs when both agree and holds otherwise. reset is active low.
//
`timescale 1ps/1ps

module muller_c_r(a, b, q, reset);
input	a, b, reset;
output	q;
	reg	q;
	always @(a or b or reset)
		if (reset !== 1'b1)
			q <= #20 (reset === 1'b0) ? 1'b0 : q;
		else if (a === b && (a === 1'b0 || a === 1'b1))
			q <= #20 a;
endmodule

module muller_c_s(a, b, q, reset);
input	a, b, reset;
output	q;
	reg	q;
	always @(a or b or reset)
		if (reset !== 1'b1)
			q <= #20 (reset === 1'b0) ? 1'b1 : q;
		else if (a === b && (a === 1'b0 || a === 1'b1))
			q <= #20 a;
endmodule
