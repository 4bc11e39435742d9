//
// NOVRA support cells: behavioural flip-flops standing in for the standard-cell library.
//	DFR   : rising edge, asynchronous reset XR (active low)
//	DFSR  : rising edge, asynchronous set XS and reset XR (active low), inverted output XQ
//	DFNR  : falling edge, asynchronous reset XR
//	DFNSR : falling edge, asynchronous set XS and reset XR, inverted output XQ
// Clock to output takes 100 ps, well inside every matched delay of the generated stages.
//
`timescale 1ps/1ps

module DFR(C, D, Q, XR);
input	C, D, XR;
output	Q;
	reg	Q;
	always @(posedge C or negedge XR)
		if (!XR)	Q <= #100 1'b0;
		else		Q <= #100 D;
endmodule

module DFSR(C, D, Q, XS, XR, XQ);
input	C, D, XS, XR;
output	Q, XQ;
	reg	Q;
	assign	XQ = ~Q;
	always @(posedge C or negedge XS or negedge XR)
		if (!XR)	Q <= #100 1'b0;
		else if (!XS)	Q <= #100 1'b1;
		else		Q <= #100 D;
endmodule

module DFNR(XC, D, Q, XR);
input	XC, D, XR;
output	Q;
	reg	Q;
	always @(negedge XC or negedge XR)
		if (!XR)	Q <= #100 1'b0;
		else		Q <= #100 D;
endmodule

module DFNSR(XC, D, Q, XS, XR, XQ);
input	XC, D, XS, XR;
output	Q, XQ;
	reg	Q;
	assign	XQ = ~Q;
	always @(negedge XC or negedge XS or negedge XR)
		if (!XR)	Q <= #100 1'b0;
		else if (!XS)	Q <= #100 1'b1;
		else		Q <= #100 D;
endmodule
